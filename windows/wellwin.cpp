#include "windows/wellwin.h"

WellWin::WellWin(QWidget *parent)
    : QWidget(parent)
{}

WellWin::~WellWin() = default;
