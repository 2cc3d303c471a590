<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="fr">
<context>
    <name>AboutUs</name>
    <message>
        <source>A propos d&apos;VNL</source>
        <translation>A propos d&apos;VNL</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Varnel&lt;/span&gt;&lt;/p&gt;
&lt;ul style=&quot;margin-top: 0px; margin-bottom: 0px; margin-left: 0px; margin-right: 0px; -qt-list-indent: 1; list-style-type: none;&quot;&gt;&lt;li style=&quot; margin-top:12px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Version : 1.0&lt;/li&gt;
&lt;li style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Développeur : Les développeurs de Varnel&lt;/li&gt;
&lt;li style=&quot;-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;br /&gt;&lt;/li&gt;
&lt;li style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Site internet : &lt;a href=&quot;https://varnel.example.org&quot;&gt;&lt;span style=&quot; text-decoration: underline; color:#0000ff;&quot;&gt;https://varnel.example.org&lt;/span&gt;&lt;/a&gt;&lt;/li&gt;
&lt;li style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Support : &lt;a href=&quot;mailto:support@varnel.example.org&quot;&gt;&lt;span style=&quot; text-decoration: underline; color:#0000ff;&quot;&gt;support@varnel.example.org&lt;/span&gt;&lt;/a&gt;&lt;/li&gt;&lt;/ul&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Varnel&lt;/span&gt;&lt;/p&gt;
&lt;ul style=&quot;margin-top: 0px; margin-bottom: 0px; margin-left: 0px; margin-right: 0px; -qt-list-indent: 1; list-style-type: none;&quot;&gt;&lt;li style=&quot; margin-top:12px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Version : 1.0&lt;/li&gt;
&lt;li style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Développeur : Les développeurs de Varnel&lt;/li&gt;
&lt;li style=&quot;-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;br /&gt;&lt;/li&gt;
&lt;li style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Site internet : &lt;a href=&quot;https://varnel.example.org&quot;&gt;&lt;span style=&quot; text-decoration: underline; color:#0000ff;&quot;&gt;https://varnel.example.org&lt;/span&gt;&lt;/a&gt;&lt;/li&gt;
&lt;li style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Support : &lt;a href=&quot;mailto:support@varnel.example.org&quot;&gt;&lt;span style=&quot; text-decoration: underline; color:#0000ff;&quot;&gt;support@varnel.example.org&lt;/span&gt;&lt;/a&gt;&lt;/li&gt;&lt;/ul&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
</context>
<context>
    <name>AddClassCommand</name>
    <message>
        <source>ajouter %1</source>
        <translation>ajouter %1</translation>
    </message>
</context>
<context>
    <name>AddLinkCommand</name>
    <message>
        <source>ajouter le lien %1</source>
        <translation>ajouter le lien %1</translation>
    </message>
</context>
<context>
    <name>CfgEditor</name>
    <message>
        <source>VNL - Configuration</source>
        <translation>VNL - Configuration</translation>
    </message>
    <message>
        <source>Général</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Préférances logiciel</source>
        <translation>Préférances logiciel</translation>
    </message>
    <message>
        <source>Sauvegarde automatique</source>
        <translation>Sauvegarde automatique</translation>
    </message>
    <message>
        <source>Demander confirmation à la fermeture</source>
        <translation>Demander confirmation à la fermeture</translation>
    </message>
    <message>
        <source>Fenêtre d&apos;acceuil</source>
        <translation>Fenêtre d&apos;acceuil</translation>
    </message>
    <message>
        <source>Langue :</source>
        <translation>Langue :</translation>
    </message>
    <message>
        <source>Préférance modélisation - génération</source>
        <translation>Préférance modélisation - génération</translation>
    </message>
    <message>
        <source>Préfixe d&apos;attibut :</source>
        <translation>Préfixe d&apos;attibut :</translation>
    </message>
    <message>
        <source>Le préfixe d&apos;attribut : par exemple &quot;m_&quot; ou &quot;_&quot;.
La connaissance de ce préfixe permet à VNL de générer correctement les fonctions d&apos;accessions.</source>
        <translation>Le préfixe d&apos;attribut : par exemple &quot;m_&quot; ou &quot;_&quot;.
La connaissance de ce préfixe permet à VNL de générer correctement les fonctions d&apos;accessions.</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>Ajouter automatiquement les fonctions d&apos;accessions (&quot;set&quot; - &quot;get&quot;)</source>
        <translation>Ajouter automatiquement les fonctions d&apos;accessions (&quot;set&quot; - &quot;get&quot;)</translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Barre d&apos;action</source>
        <translation>Barre d&apos;action</translation>
    </message>
    <message>
        <source>Afficher</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Taille des icônes :</source>
        <translation>Taille des icônes :</translation>
    </message>
    <message>
        <source>Petites</source>
        <translation>Petites</translation>
    </message>
    <message>
        <source>Moyennes</source>
        <translation>Moyennes</translation>
    </message>
    <message>
        <source>Grandes</source>
        <translation>Grandes</translation>
    </message>
    <message>
        <source>Barre d&apos;item</source>
        <translation>Barre d&apos;item</translation>
    </message>
    <message>
        <source>Tailles des icônes :</source>
        <translation>Tailles des icônes :</translation>
    </message>
    <message>
        <source>Police d&apos;écriture :</source>
        <translation>Police d&apos;écriture :</translation>
    </message>
    <message>
        <source>Appliquer</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Applique et sauvegarde vos configurations</source>
        <translation>Applique et sauvegarde vos configurations</translation>
    </message>
    <message>
        <source>Configurations par défault</source>
        <translation>Configurations par défault</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Impossible de sauvegarder vos configurations.</source>
        <translation>Impossible de sauvegarder vos configurations.</translation>
    </message>
</context>
<context>
    <name>ClassEditor</name>
    <message>
        <source>Ajouter une classe</source>
        <translation>Ajouter une classe</translation>
    </message>
    <message>
        <source>Général</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Nom :</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Attributs</source>
        <translation>Attributs</translation>
    </message>
    <message>
        <source>&gt;&gt;</source>
        <translation>&gt;&gt;</translation>
    </message>
    <message>
        <source> - </source>
        <translation> - </translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Type :</source>
        <translation>Type :</translation>
    </message>
    <message>
        <source>Valeur par défault :</source>
        <translation>Valeur par défault :</translation>
    </message>
    <message>
        <source>Portée :</source>
        <translation>Portée :</translation>
    </message>
    <message>
        <source>Privé</source>
        <translation>Privé</translation>
    </message>
    <message>
        <source>Public</source>
        <translation>Public</translation>
    </message>
    <message>
        <source>Méthodes - Signaux et slots</source>
        <translation>Méthodes - Signaux et slots</translation>
    </message>
    <message>
        <source>Type de retour :</source>
        <translation>Type de retour :</translation>
    </message>
    <message>
        <source>Privée</source>
        <translation>Privée</translation>
    </message>
    <message>
        <source>Protégée</source>
        <translation>Protégée</translation>
    </message>
    <message>
        <source>Arguments :</source>
        <translation>Arguments :</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Nom de la classe de laquelle hérite celle-ci</source>
        <translation>Nom de la classe de laquelle hérite celle-ci</translation>
    </message>
    <message>
        <source>Hérite de :</source>
        <translation>Hérite de :</translation>
    </message>
    <message>
        <source>Utilisez ce champ si votre classe hérite d&apos;une classe non représentez sur votre diagramme de classe.</source>
        <translation>Utilisez ce champ si votre classe hérite d&apos;une classe non représentez sur votre diagramme de classe.</translation>
    </message>
    <message>
        <source>Classes à inclures :</source>
        <translation>Classes à inclures :</translation>
    </message>
    <message>
        <source>Séparer les classes par un &quot;;&quot; - N&apos;indiquez ici que les classes à inclure qui ne figurent par sur votre diagramme.</source>
        <translation>Séparer les classes par un &quot;;&quot; - N&apos;indiquez ici que les classes à inclure qui ne figurent par sur votre diagramme.</translation>
    </message>
    <message>
        <source>Commentaire de classe :</source>
        <translation>Commentaire de classe :</translation>
    </message>
    <message>
        <source>Supprimer la classe</source>
        <translation>Supprimer la classe</translation>
    </message>
    <message>
        <source>Créer la nouvelle classe</source>
        <translation>Créer la nouvelle classe</translation>
    </message>
    <message>
        <source>Ajouter une nouvelle classe</source>
        <translation>Ajouter une nouvelle classe</translation>
    </message>
    <message>
        <source>Ajouter la nouvelle classe</source>
        <translation>Ajouter la nouvelle classe</translation>
    </message>
    <message>
        <source>Supprimer </source>
        <translation>Supprimer </translation>
    </message>
    <message>
        <source>Editer la classes - </source>
        <translation>Editer la classes - </translation>
    </message>
    <message>
        <source>Modifier </source>
        <translation>Modifier </translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas donné de nom à votre classe.</source>
        <translation>Vous n&apos;avez pas donné de nom à votre classe.</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas donné de nom à l&apos;attribut.</source>
        <translation>Vous n&apos;avez pas donné de nom à l&apos;attribut.</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas donné de type à l&apos;attribut.</source>
        <translation>Vous n&apos;avez pas donné de type à l&apos;attribut.</translation>
    </message>
    <message>
        <source>Cette classe possède déjà un attribut de ce nom.</source>
        <translation>Cette classe possède déjà un attribut de ce nom.</translation>
    </message>
    <message>
        <source>Méthodes &lt;&lt; Set &gt;&gt; - &lt;&lt; Get &gt;&gt;</source>
        <translation>Méthodes &lt;&lt; Set &gt;&gt; - &lt;&lt; Get &gt;&gt;</translation>
    </message>
    <message>
        <source>Voulez-vous que VNL génère automatiquement les fonctions d&apos;accessions ?</source>
        <translation>Voulez-vous que VNL génère automatiquement les fonctions d&apos;accessions ?</translation>
    </message>
    <message>
        <source>&lt;&lt;</source>
        <translation>&lt;&lt;</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas entrez de nom pour votre fonction.</source>
        <translation>Vous n&apos;avez pas entrez de nom pour votre fonction.</translation>
    </message>
    <message>
        <source>Une de vos fonctions possède déjà ce nom</source>
        <translation>Une de vos fonctions possède déjà ce nom</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas entrez de nom pour votre argument.</source>
        <translation>Vous n&apos;avez pas entrez de nom pour votre argument.</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas donné de type à votre argument</source>
        <translation>Vous n&apos;avez pas donné de type à votre argument</translation>
    </message>
    <message>
        <source>Un des arguments de cette fonction possède déjà ce nom.</source>
        <translation>Un des arguments de cette fonction possède déjà ce nom.</translation>
    </message>
    <message>
        <source>Un accesseur « set » doit garder son argument.</source>
        <translation>Un accesseur « set » doit garder son argument.</translation>
    </message>
    <message>
        <source>Une classe de ce nom existe déjà.</source>
        <translation>Une classe de ce nom existe déjà.</translation>
    </message>
</context>
<context>
    <name>CodeGen</name>
    <message>
        <source>Fenêtre de génération</source>
        <translation>Fenêtre de génération</translation>
    </message>
    <message>
        <source>Sélectionnez la ou les classe(s) à générer :</source>
        <translation>Sélectionnez la ou les classe(s) à générer :</translation>
    </message>
    <message>
        <source>Tout générer</source>
        <translation>Tout générer</translation>
    </message>
    <message>
        <source>Dossier de destination :</source>
        <translation>Dossier de destination :</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Générer le code</source>
        <translation>Générer le code</translation>
    </message>
    <message>
        <source>Genère le code source de base pour les classes sélectionnées avec les options définies.</source>
        <translation>Genère le code source de base pour les classes sélectionnées avec les options définies.</translation>
    </message>
    <message>
        <source>Dossier de destination</source>
        <translation>Dossier de destination</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas spécifié le dossier de destination</source>
        <translation>Vous n&apos;avez pas spécifié le dossier de destination</translation>
    </message>
    <message>
        <source>Génération</source>
        <translation>Génération</translation>
    </message>
    <message>
        <source>Aucune classe sélectionnée.</source>
        <translation>Aucune classe sélectionnée.</translation>
    </message>
    <message>
        <source>La générération s&apos;est correctement éffectuée.</source>
        <translation>La générération s&apos;est correctement éffectuée.</translation>
    </message>
    <message>
        <source>La génération est terminée avec des erreurs.</source>
        <translation>La génération est terminée avec des erreurs.</translation>
    </message>
    <message>
        <source>… et %1 autres, dans les détails</source>
        <translation>… et %1 autres, dans les détails</translation>
    </message>
</context>
<context>
    <name>CodeGenerator</name>
    <message>
        <source>Nom de classe invalide pour un fichier : </source>
        <translation>Nom de classe invalide pour un fichier : </translation>
    </message>
    <message>
        <source>Impossible de créer le fichier </source>
        <translation>Impossible de créer le fichier </translation>
    </message>
    <message>
        <source>%1 n&apos;a pas pu être relu sans risque : il reste tel quel et le nouveau squelette est écrit dans %2</source>
        <translation>%1 n&apos;a pas pu être relu sans risque : il reste tel quel et le nouveau squelette est écrit dans %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Génère l&apos;en-tête et le fichier source C++ des classes d&apos;un diagramme Varnel.</source>
        <translation>Génère l&apos;en-tête et le fichier source C++ des classes d&apos;un diagramme Varnel.</translation>
    </message>
    <message>
        <source>Diagramme (.vnls) dont les classes sont générées.</source>
        <translation>Diagramme (.vnls) dont les classes sont générées.</translation>
    </message>
    <message>
        <source>diagramme</source>
        <translation>diagramme</translation>
    </message>
    <message>
        <source>Dossier où les fichiers sont écrits.</source>
        <translation>Dossier où les fichiers sont écrits.</translation>
    </message>
    <message>
        <source>dossier</source>
        <translation>dossier</translation>
    </message>
    <message>
        <source>Classe à générer (répétable) ; toutes les classes sans cette option.</source>
        <translation>Classe à générer (répétable) ; toutes les classes sans cette option.</translation>
    </message>
    <message>
        <source>nom</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>Argument inattendu : </source>
        <translation>Argument inattendu : </translation>
    </message>
    <message>
        <source>L&apos;option --generate est manquante.</source>
        <translation>L&apos;option --generate est manquante.</translation>
    </message>
    <message>
        <source>L&apos;option --output est manquante.</source>
        <translation>L&apos;option --output est manquante.</translation>
    </message>
    <message>
        <source>Un seul diagramme et un seul dossier de destination sont admis.</source>
        <translation>Un seul diagramme et un seul dossier de destination sont admis.</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier à cet emplacement :</source>
        <translation>Impossible d&apos;ouvrir le fichier à cet emplacement :</translation>
    </message>
    <message>
        <source>Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.</source>
        <translation>Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.</translation>
    </message>
    <message>
        <source>Classe absente du diagramme : </source>
        <translation>Classe absente du diagramme : </translation>
    </message>
    <message>
        <source>Impossible de créer le dossier </source>
        <translation>Impossible de créer le dossier </translation>
    </message>
    <message>
        <source>Aucune classe à générer.</source>
        <translation>Aucune classe à générer.</translation>
    </message>
    <message>
        <source>Lancé avec un seul fichier et sans option, varnel ouvre ce diagramme dans sa fenêtre.</source>
        <translation>Lancé avec un seul fichier et sans option, varnel ouvre ce diagramme dans sa fenêtre.</translation>
    </message>
    <message>
        <source>Diagramme (.vnls) dont l&apos;image est écrite dans le fichier --output, au format de son suffixe (.png, .svg ou .pdf).</source>
        <translation>Diagramme (.vnls) dont l&apos;image est écrite dans le fichier --output, au format de son suffixe (.png, .svg ou .pdf).</translation>
    </message>
    <message>
        <source>--export demande un diagramme et un seul fichier --output, sans --generate ni --class.</source>
        <translation>--export demande un diagramme et un seul fichier --output, sans --generate ni --class.</translation>
    </message>
    <message>
        <source>Écrit des squelettes neufs sur les fichiers existants, sans garder le code écrit dans les fichiers source.</source>
        <translation>Écrit des squelettes neufs sur les fichiers existants, sans garder le code écrit dans les fichiers source.</translation>
    </message>
    <message>
        <source>Fichiers inchangés : %1</source>
        <translation>Fichiers inchangés : %1</translation>
    </message>
    <message>
        <source>Lien ignoré, classe introuvable : </source>
        <translation>Lien ignoré, classe introuvable : </translation>
    </message>
</context>
<context>
    <name>DeleteItemsCommand</name>
    <message>
        <source>supprimer %1</source>
        <translation>supprimer %1</translation>
    </message>
    <message>
        <source>supprimer le lien %1</source>
        <translation>supprimer le lien %1</translation>
    </message>
    <message>
        <source>supprimer %1 éléments</source>
        <translation>supprimer %1 éléments</translation>
    </message>
</context>
<context>
    <name>EditClassCommand</name>
    <message>
        <source>modifier %1</source>
        <translation>modifier %1</translation>
    </message>
</context>
<context>
    <name>EditLinkCommand</name>
    <message>
        <source>modifier le lien %1</source>
        <translation>modifier le lien %1</translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>Format d&apos;image inconnu (.png, .svg ou .pdf attendu) : </source>
        <translation>Format d&apos;image inconnu (.png, .svg ou .pdf attendu) : </translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire l&apos;image </source>
        <translation>Impossible d&apos;écrire l&apos;image </translation>
    </message>
</context>
<context>
    <name>LinkEditor</name>
    <message>
        <source>Editeur de lien</source>
        <translation>Editeur de lien</translation>
    </message>
    <message>
        <source>Lien :</source>
        <translation>Lien :</translation>
    </message>
    <message>
        <source>Texte 1</source>
        <translation>Texte 1</translation>
    </message>
    <message>
        <source>Texte 2</source>
        <translation>Texte 2</translation>
    </message>
    <message>
        <source>Supprimer le lien</source>
        <translation>Supprimer le lien</translation>
    </message>
    <message>
        <source>Ajouter</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>&lt; Sélectionnez &gt;</source>
        <translation>&lt; Sélectionnez &gt;</translation>
    </message>
    <message>
        <source>Héritage</source>
        <translation>Héritage</translation>
    </message>
    <message>
        <source>Classe mère :</source>
        <translation>Classe mère :</translation>
    </message>
    <message>
        <source>Classe fille :</source>
        <translation>Classe fille :</translation>
    </message>
    <message>
        <source>Agrégation</source>
        <translation>Agrégation</translation>
    </message>
    <message>
        <source>Classe contenant</source>
        <translation>Classe contenant</translation>
    </message>
    <message>
        <source>Classe contenue</source>
        <translation>Classe contenue</translation>
    </message>
    <message>
        <source>Association</source>
        <translation>Association</translation>
    </message>
    <message>
        <source>Modifier</source>
        <translation>Modifier</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Pour éditer une classe ou un lien, faites un clique droite dessus.</source>
        <translation>Pour éditer une classe ou un lien, faites un clique droite dessus.</translation>
    </message>
    <message>
        <source>Zoom :</source>
        <translation>Zoom :</translation>
    </message>
    <message>
        <source>VNL</source>
        <translation>VNL</translation>
    </message>
    <message>
        <source>Modélisation</source>
        <translation>Modélisation</translation>
    </message>
    <message>
        <source>A propos</source>
        <translation>A propos</translation>
    </message>
    <message>
        <source>Barre des fichiers</source>
        <translation>Barre des fichiers</translation>
    </message>
    <message>
        <source>Barre d&apos;item</source>
        <translation>Barre d&apos;item</translation>
    </message>
    <message>
        <source>Ajouter une classe</source>
        <translation>Ajouter une classe</translation>
    </message>
    <message>
        <source>Ouvre l&apos;éditeur de classe</source>
        <translation>Ouvre l&apos;éditeur de classe</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Ctrl+A</translation>
    </message>
    <message>
        <source>Ajouter un lien d&apos;héritage</source>
        <translation>Ajouter un lien d&apos;héritage</translation>
    </message>
    <message>
        <source>Ouvre l&apos;éditeur de lien</source>
        <translation>Ouvre l&apos;éditeur de lien</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Ajouter un lien d&apos;agrégation</source>
        <translation>Ajouter un lien d&apos;agrégation</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation>Ctrl+L</translation>
    </message>
    <message>
        <source>Ajouter un lien d&apos;association</source>
        <translation>Ajouter un lien d&apos;association</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Ouvrir la fenêtre de génération</source>
        <translation>Ouvrir la fenêtre de génération</translation>
    </message>
    <message>
        <source>Générer le code source</source>
        <translation>Générer le code source</translation>
    </message>
    <message>
        <source>Ouvre la fenêtre de paramétrage de la génération de code</source>
        <translation>Ouvre la fenêtre de paramétrage de la génération de code</translation>
    </message>
    <message>
        <source>Ctrl+G</source>
        <translation>Ctrl+G</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Enregistre votre diagramme</source>
        <translation>Enregistre votre diagramme</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Charger</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>Charge un diagramme précédement enregistré</source>
        <translation>Charge un diagramme précédement enregistré</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Enregistrer sous ...</source>
        <translation>Enregistrer sous ...</translation>
    </message>
    <message>
        <source>Alt+S</source>
        <translation>Alt+S</translation>
    </message>
    <message>
        <source>Nouveau</source>
        <translation>Nouveau</translation>
    </message>
    <message>
        <source>Efface le diagramme actuel pour en faire un nouveau</source>
        <translation>Efface le diagramme actuel pour en faire un nouveau</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Ferme VNL</source>
        <translation>Ferme VNL</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Ouvre le gestionnaire de configuration</source>
        <translation>Ouvre le gestionnaire de configuration</translation>
    </message>
    <message>
        <source>A propos de Qt</source>
        <translation>A propos de Qt</translation>
    </message>
    <message>
        <source>A propos d&apos;VNL</source>
        <translation>A propos d&apos;VNL</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Un lien existe déjà entre ces deux classes.</source>
        <translation>Un lien existe déjà entre ces deux classes.</translation>
    </message>
    <message>
        <source>Sans nom</source>
        <translation>Sans nom</translation>
    </message>
    <message>
        <source>Prêt</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier de configuration.</source>
        <translation>Impossible d&apos;ouvrir le fichier de configuration.</translation>
    </message>
    <message>
        <source>Impossible de parser le fichier de configuration.</source>
        <translation>Impossible de parser le fichier de configuration.</translation>
    </message>
    <message>
        <source>Impossible de créer un fichier de sauvegarde.</source>
        <translation>Impossible de créer un fichier de sauvegarde.</translation>
    </message>
    <message>
        <source>Sauvegarde effectuée - </source>
        <translation>Sauvegarde effectuée - </translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier à cet emplacement :</source>
        <translation>Impossible d&apos;ouvrir le fichier à cet emplacement :</translation>
    </message>
    <message>
        <source>Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.</source>
        <translation>Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.</translation>
    </message>
    <message>
        <source>Le fichier a sûrement subie une mauvaise modification. Contactez le support pour trouver une solution.</source>
        <translation>Le fichier a sûrement subie une mauvaise modification. Contactez le support pour trouver une solution.</translation>
    </message>
    <message>
        <source>Voulez-vous sauvegarder votre travail actuel avant de crer un nouveau diagramme ?</source>
        <translation>Voulez-vous sauvegarder votre travail actuel avant de crer un nouveau diagramme ?</translation>
    </message>
    <message>
        <source>Voulez-vous sauvegarder votre travail actuel avant d&apos;ouvrir un autre diagramme ?</source>
        <translation>Voulez-vous sauvegarder votre travail actuel avant d&apos;ouvrir un autre diagramme ?</translation>
    </message>
    <message>
        <source>Ouvrir un diagramme</source>
        <translation>Ouvrir un diagramme</translation>
    </message>
    <message>
        <source>Sauvegardes VNL (*vnls)</source>
        <translation>Sauvegardes VNL (*vnls)</translation>
    </message>
    <message>
        <source>Etês vous sur de vouloir écraser votre ancienne sauvegarde ?</source>
        <translation>Etês vous sur de vouloir écraser votre ancienne sauvegarde ?</translation>
    </message>
    <message>
        <source>Sauvegarde VNL (*.vnls)</source>
        <translation>Sauvegarde VNL (*.vnls)</translation>
    </message>
    <message>
        <source>Fermeture</source>
        <translation>Fermeture</translation>
    </message>
    <message>
        <source>Voulez-vous sauvegarder votre travail avant de fermer le logiciel ?</source>
        <translation>Voulez-vous sauvegarder votre travail avant de fermer le logiciel ?</translation>
    </message>
    <message>
        <source>Êtes vous sûr de vouloir fermer VNL ?</source>
        <translation>Êtes vous sûr de vouloir fermer VNL ?</translation>
    </message>
    <message>
        <source>Fichiers récents</source>
        <translation>Fichiers récents</translation>
    </message>
    <message>
        <source>Exporter l&apos;image ...</source>
        <translation>Exporter l&apos;image ...</translation>
    </message>
    <message>
        <source>Enregistre le diagramme entier en image PNG, SVG ou PDF</source>
        <translation>Enregistre le diagramme entier en image PNG, SVG ou PDF</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>Imprimer ...</source>
        <translation>Imprimer ...</translation>
    </message>
    <message>
        <source>Imprime le diagramme entier sur une page</source>
        <translation>Imprime le diagramme entier sur une page</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Aperçu avant impression</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>Montre la page telle qu&apos;elle sera imprimée</source>
        <translation>Montre la page telle qu&apos;elle sera imprimée</translation>
    </message>
    <message>
        <source>Image PNG (*.png)</source>
        <translation>Image PNG (*.png)</translation>
    </message>
    <message>
        <source>Image SVG (*.svg)</source>
        <translation>Image SVG (*.svg)</translation>
    </message>
    <message>
        <source>Document PDF (*.pdf)</source>
        <translation>Document PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Exporter l&apos;image</source>
        <translation>Exporter l&apos;image</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire l&apos;image : </source>
        <translation>Impossible d&apos;écrire l&apos;image : </translation>
    </message>
    <message>
        <source>Image exportée - </source>
        <translation>Image exportée - </translation>
    </message>
    <message>
        <source>Vider la liste</source>
        <translation>Vider la liste</translation>
    </message>
    <message>
        <source>Ce diagramme n&apos;existe plus, il est retiré des fichiers récents : </source>
        <translation>Ce diagramme n&apos;existe plus, il est retiré des fichiers récents : </translation>
    </message>
    <message>
        <source>Édition</source>
        <translation>Édition</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Annule la dernière modification du diagramme</source>
        <translation>Annule la dernière modification du diagramme</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Rétablir</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Rétablit la dernière modification annulée</source>
        <translation>Rétablit la dernière modification annulée</translation>
    </message>
    <message>
        <source>Supprimer la sélection</source>
        <translation>Supprimer la sélection</translation>
    </message>
    <message>
        <source>Supprime les classes et les liens sélectionnés</source>
        <translation>Supprime les classes et les liens sélectionnés</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Del</translation>
    </message>
    <message>
        <source>Tout désélectionner</source>
        <translation>Tout désélectionner</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Annuler : %1</source>
        <translation>Annuler : %1</translation>
    </message>
    <message>
        <source>Rétablir : %1</source>
        <translation>Rétablir : %1</translation>
    </message>
    <message>
        <source>Ajuster à la fenêtre</source>
        <translation>Ajuster à la fenêtre</translation>
    </message>
    <message>
        <source>Montre tout le diagramme, aussi grand que le zoom le permet</source>
        <translation>Montre tout le diagramme, aussi grand que le zoom le permet</translation>
    </message>
    <message>
        <source>Ctrl+0</source>
        <translation>Ctrl+0</translation>
    </message>
    <message>
        <source>Zoom avant</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Ctrl++</source>
        <translation>Ctrl++</translation>
    </message>
    <message>
        <source>Zoom arrière</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Ctrl+-</source>
        <translation>Ctrl+-</translation>
    </message>
    <message>
        <source>1 lien ignoré : classe introuvable</source>
        <translation>1 lien ignoré : classe introuvable</translation>
    </message>
    <message>
        <source>%1 liens ignorés : classe introuvable</source>
        <translation>%1 liens ignorés : classe introuvable</translation>
    </message>
    <message>
        <source>Le fichier %1 existe déjà.</source>
        <translation>Le fichier %1 existe déjà.</translation>
    </message>
    <message>
        <source>Voulez-vous le remplacer ?</source>
        <translation>Voulez-vous le remplacer ?</translation>
    </message>
</context>
<context>
    <name>MoveBoxesCommand</name>
    <message>
        <source>déplacer %1</source>
        <translation>déplacer %1</translation>
    </message>
    <message>
        <source>déplacer %1 classes</source>
        <translation>déplacer %1 classes</translation>
    </message>
</context>
<context>
    <name>WellWin</name>
    <message>
        <source>Bienvenue !</source>
        <translation>Bienvenue !</translation>
    </message>
    <message>
        <source>Varnel</source>
        <translation>Varnel</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Kalinga&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Varnel (VNL) est un logiciel amateur libre. &lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Afin d&apos;être toujours plus performant et toujours plus intutif, VNL &lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;a besoin de vos avis,vos impressions, vos rapports de bugs et &lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;vos idées d&apos;amméliorations.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Kalinga&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Varnel (VNL) est un logiciel amateur libre. &lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Afin d&apos;être toujours plus performant et toujours plus intutif, VNL &lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;a besoin de vos avis,vos impressions, vos rapports de bugs et &lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;vos idées d&apos;amméliorations.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>Laissez vos commentaires sur le site</source>
        <translation>Laissez vos commentaires sur le site</translation>
    </message>
    <message>
        <source>https://varnel.example.org/feedback</source>
        <translation>https://varnel.example.org/feedback</translation>
    </message>
</context>
</TS>
