#ifndef CFG_H
#define CFG_H

#include <QFont>
#include <QString>

// The user's settings, named after the keys of cfgs.xml. The main window holds the
// only instance; other parts keep pointers into it so that applied preferences reach
// them without notification.
class Cfg
{
public:
    enum ReadStatus { ReadOk, CannotOpen, CannotParse };

    // Larger files are refused unread.
    static constexpr qint64 maxFileSize = 1024 * 1024;

    Cfg();

    bool actionBar() const { return m_actionBar; }
    bool itemBar() const { return m_itemBar; }
    bool autoSave() const { return m_autoSave; }
    bool askForClose() const { return m_askForClose; }
    bool wellWin() const { return m_wellWin; }
    int actionBarIconSize() const { return m_actionBarIconSize; }
    int itemBarIconSize() const { return m_itemBarIconSize; }
    QString language() const { return m_language; }
    QString *prefixe() { return &m_prefixe; }
    QFont *font() { return &m_font; }
    bool *autoAddSetGetFct() { return &m_autoAddSetGetFct; }

    void setPrefixe(const QString &prefixe) { m_prefixe = prefixe; }
    void setFont(const QFont &font) { m_font = font; }
    void setActionBar(bool on) { m_actionBar = on; }
    void setItemBar(bool on) { m_itemBar = on; }
    void setActionBarIconSize(int size) { m_actionBarIconSize = size; }
    void setItemBarIconSize(int size) { m_itemBarIconSize = size; }
    void setAutoSave(bool on) { m_autoSave = on; }
    void setAskForClose(bool on) { m_askForClose = on; }
    void setAutoAddSetGetFct(bool on) { m_autoAddSetGetFct = on; }
    void setWellWin(bool on) { m_wellWin = on; }
    void setLanguage(const QString &language) { m_language = language; }

    // An icon size as the tool bars use it: one outside 8 to 512 pixels, which no
    // screen shows, is taken as the default.
    static int usableIconSize(int size);

    // Writes the whole record to writePath(); 0 on success, 1 when it cannot be written.
    int writeCfg() const;
    int writeCfg(const QString &path) const;
    QByteArray toBytes() const;

    // Replaces every field with the file's values; on failure nothing changes.
    ReadStatus readCfg();
    ReadStatus readCfg(const QString &path);
    ReadStatus readCfgData(const QByteArray &data);

    // The "language" attribute alone, for the translators installed before any window.
    static QString readLanguage(const QString &path);

    // cfgs.xml lives beside the executable. An installed copy cannot write there, so
    // it then keeps the file in the user's configuration folder, and reads the copy
    // installed in share/varnel until the user has applied settings.
    static QString readPath();
    static QString writePath();
    // Points both paths at one file; the tests use it to keep their settings apart.
    static void setPathOverride(const QString &path);

private:
    QString m_prefixe = QStringLiteral("m_");
    QFont m_font;
    bool m_actionBar = true;
    bool m_itemBar = true;
    int m_actionBarIconSize = 64;
    int m_itemBarIconSize = 64;
    bool m_autoSave = false;
    bool m_askForClose = true;
    bool m_autoAddSetGetFct = true;
    bool m_wellWin = true;
    QString m_language;
};

#endif // CFG_H
