<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="fr">
<context>
    <name>AboutUs</name>
    <message>
        <source>A propos d&apos;VNL</source>
        <translation>About VNL</translation>
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
&lt;ul style=&quot;margin-top: 0px; margin-bottom: 0px; margin-left: 0px; margin-right: 0px; -qt-list-indent: 1; list-style-type: none;&quot;&gt;&lt;li style=&quot; margin-top:12px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Version: 1.0&lt;/li&gt;
&lt;li style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Developers: the Varnel developers&lt;/li&gt;
&lt;li style=&quot;-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;br /&gt;&lt;/li&gt;
&lt;li style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Website: &lt;a href=&quot;https://varnel.example.org&quot;&gt;&lt;span style=&quot; text-decoration: underline; color:#0000ff;&quot;&gt;https://varnel.example.org&lt;/span&gt;&lt;/a&gt;&lt;/li&gt;
&lt;li style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;* Support: &lt;a href=&quot;mailto:support@varnel.example.org&quot;&gt;&lt;span style=&quot; text-decoration: underline; color:#0000ff;&quot;&gt;support@varnel.example.org&lt;/span&gt;&lt;/a&gt;&lt;/li&gt;&lt;/ul&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
</context>
<context>
    <name>AddClassCommand</name>
    <message>
        <source>ajouter %1</source>
        <translation>add %1</translation>
    </message>
</context>
<context>
    <name>AddLinkCommand</name>
    <message>
        <source>ajouter le lien %1</source>
        <translation>add the link %1</translation>
    </message>
</context>
<context>
    <name>CfgEditor</name>
    <message>
        <source>VNL - Configuration</source>
        <translation>VNL - Preferences</translation>
    </message>
    <message>
        <source>Général</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Préférances logiciel</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Sauvegarde automatique</source>
        <translation>Save automatically</translation>
    </message>
    <message>
        <source>Demander confirmation à la fermeture</source>
        <translation>Confirm before closing</translation>
    </message>
    <message>
        <source>Fenêtre d&apos;acceuil</source>
        <translation>Show the welcome window</translation>
    </message>
    <message>
        <source>Langue :</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Préférance modélisation - génération</source>
        <translation>Modeling and code generation</translation>
    </message>
    <message>
        <source>Préfixe d&apos;attibut :</source>
        <translation>Attribute prefix:</translation>
    </message>
    <message>
        <source>Le préfixe d&apos;attribut : par exemple &quot;m_&quot; ou &quot;_&quot;.
La connaissance de ce préfixe permet à VNL de générer correctement les fonctions d&apos;accessions.</source>
        <translation>The prefix of your attribute names, for example &quot;m_&quot; or &quot;_&quot;.
Knowing it lets VNL name the accessor functions correctly.</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>Ajouter automatiquement les fonctions d&apos;accessions (&quot;set&quot; - &quot;get&quot;)</source>
        <translation>Add accessor functions automatically (&quot;set&quot; and &quot;get&quot;)</translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Barre d&apos;action</source>
        <translation>File toolbar</translation>
    </message>
    <message>
        <source>Afficher</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Taille des icônes :</source>
        <translation>Icon size:</translation>
    </message>
    <message>
        <source>Petites</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>Moyennes</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Grandes</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>Barre d&apos;item</source>
        <translation>Modeling toolbar</translation>
    </message>
    <message>
        <source>Tailles des icônes :</source>
        <translation>Icon size:</translation>
    </message>
    <message>
        <source>Police d&apos;écriture :</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>Appliquer</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Applique et sauvegarde vos configurations</source>
        <translation>Applies and saves your preferences</translation>
    </message>
    <message>
        <source>Configurations par défault</source>
        <translation>Restore Defaults</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Impossible de sauvegarder vos configurations.</source>
        <translation>Your preferences could not be saved.</translation>
    </message>
</context>
<context>
    <name>ClassEditor</name>
    <message>
        <source>Ajouter une classe</source>
        <translation>Add Class</translation>
    </message>
    <message>
        <source>Général</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Nom :</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Attributs</source>
        <translation>Attributes</translation>
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
        <translation>Type:</translation>
    </message>
    <message>
        <source>Valeur par défault :</source>
        <translation>Default value:</translation>
    </message>
    <message>
        <source>Portée :</source>
        <translation>Visibility:</translation>
    </message>
    <message>
        <source>Privé</source>
        <translation>Private</translation>
    </message>
    <message>
        <source>Public</source>
        <translation>Public</translation>
    </message>
    <message>
        <source>Méthodes - Signaux et slots</source>
        <translation>Methods - Signals and slots</translation>
    </message>
    <message>
        <source>Type de retour :</source>
        <translation>Return type:</translation>
    </message>
    <message>
        <source>Privée</source>
        <translation>Private</translation>
    </message>
    <message>
        <source>Protégée</source>
        <translation>Protected</translation>
    </message>
    <message>
        <source>Arguments :</source>
        <translation>Arguments:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Nom de la classe de laquelle hérite celle-ci</source>
        <translation>Name of the class this one inherits from</translation>
    </message>
    <message>
        <source>Hérite de :</source>
        <translation>Inherits from:</translation>
    </message>
    <message>
        <source>Utilisez ce champ si votre classe hérite d&apos;une classe non représentez sur votre diagramme de classe.</source>
        <translation>Use this field if your class inherits from a class that is not on your class diagram.</translation>
    </message>
    <message>
        <source>Classes à inclures :</source>
        <translation>Classes to include:</translation>
    </message>
    <message>
        <source>Séparer les classes par un &quot;;&quot; - N&apos;indiquez ici que les classes à inclure qui ne figurent par sur votre diagramme.</source>
        <translation>Separate the classes with a &quot;;&quot; - List here only the classes to include that are not on your diagram.</translation>
    </message>
    <message>
        <source>Commentaire de classe :</source>
        <translation>Class comment:</translation>
    </message>
    <message>
        <source>Supprimer la classe</source>
        <translation>Delete the class</translation>
    </message>
    <message>
        <source>Créer la nouvelle classe</source>
        <translation>Create the new class</translation>
    </message>
    <message>
        <source>Ajouter une nouvelle classe</source>
        <translation>Add a new class</translation>
    </message>
    <message>
        <source>Ajouter la nouvelle classe</source>
        <translation>Add the new class</translation>
    </message>
    <message>
        <source>Supprimer </source>
        <translation>Delete </translation>
    </message>
    <message>
        <source>Editer la classes - </source>
        <translation>Edit class - </translation>
    </message>
    <message>
        <source>Modifier </source>
        <translation>Modify </translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas donné de nom à votre classe.</source>
        <translation>You have not given your class a name.</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas donné de nom à l&apos;attribut.</source>
        <translation>You have not given the attribute a name.</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas donné de type à l&apos;attribut.</source>
        <translation>You have not given the attribute a type.</translation>
    </message>
    <message>
        <source>Cette classe possède déjà un attribut de ce nom.</source>
        <translation>This class already has an attribute with this name.</translation>
    </message>
    <message>
        <source>Méthodes &lt;&lt; Set &gt;&gt; - &lt;&lt; Get &gt;&gt;</source>
        <translation>&lt;&lt; Set &gt;&gt; - &lt;&lt; Get &gt;&gt; methods</translation>
    </message>
    <message>
        <source>Voulez-vous que VNL génère automatiquement les fonctions d&apos;accessions ?</source>
        <translation>Do you want VNL to generate the accessor functions automatically?</translation>
    </message>
    <message>
        <source>&lt;&lt;</source>
        <translation>&lt;&lt;</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas entrez de nom pour votre fonction.</source>
        <translation>You have not entered a name for your function.</translation>
    </message>
    <message>
        <source>Une de vos fonctions possède déjà ce nom</source>
        <translation>One of your functions already has this name</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas entrez de nom pour votre argument.</source>
        <translation>You have not entered a name for your argument.</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas donné de type à votre argument</source>
        <translation>You have not given your argument a type</translation>
    </message>
    <message>
        <source>Un des arguments de cette fonction possède déjà ce nom.</source>
        <translation>One of the arguments of this function already has this name.</translation>
    </message>
    <message>
        <source>Un accesseur « set » doit garder son argument.</source>
        <translation>A &quot;set&quot; accessor must keep its argument.</translation>
    </message>
    <message>
        <source>Une classe de ce nom existe déjà.</source>
        <translation>A class of this name already exists.</translation>
    </message>
</context>
<context>
    <name>CodeGen</name>
    <message>
        <source>Fenêtre de génération</source>
        <translation>Code generation</translation>
    </message>
    <message>
        <source>Sélectionnez la ou les classe(s) à générer :</source>
        <translation>Select the class(es) to generate:</translation>
    </message>
    <message>
        <source>Tout générer</source>
        <translation>Generate all</translation>
    </message>
    <message>
        <source>Dossier de destination :</source>
        <translation>Destination folder:</translation>
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
        <translation>Generate the code</translation>
    </message>
    <message>
        <source>Genère le code source de base pour les classes sélectionnées avec les options définies.</source>
        <translation>Generates the basic source code of the selected classes with the chosen options.</translation>
    </message>
    <message>
        <source>Dossier de destination</source>
        <translation>Destination folder</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas spécifié le dossier de destination</source>
        <translation>You have not chosen the destination folder</translation>
    </message>
    <message>
        <source>Génération</source>
        <translation>Generation</translation>
    </message>
    <message>
        <source>Aucune classe sélectionnée.</source>
        <translation>No class selected.</translation>
    </message>
    <message>
        <source>La générération s&apos;est correctement éffectuée.</source>
        <translation>The generation completed successfully.</translation>
    </message>
    <message>
        <source>La génération est terminée avec des erreurs.</source>
        <translation>The generation finished with errors.</translation>
    </message>
    <message>
        <source>… et %1 autres, dans les détails</source>
        <translation>… and %1 more, in the details</translation>
    </message>
</context>
<context>
    <name>CodeGenerator</name>
    <message>
        <source>Nom de classe invalide pour un fichier : </source>
        <translation>Class name not valid for a file: </translation>
    </message>
    <message>
        <source>Impossible de créer le fichier </source>
        <translation>Cannot create the file </translation>
    </message>
    <message>
        <source>%1 n&apos;a pas pu être relu sans risque : il reste tel quel et le nouveau squelette est écrit dans %2</source>
        <translation>%1 could not be read safely: it is left as it is and the new skeleton is written to %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Génère l&apos;en-tête et le fichier source C++ des classes d&apos;un diagramme Varnel.</source>
        <translation>Generates the C++ header and source file of the classes of a Varnel diagram.</translation>
    </message>
    <message>
        <source>Diagramme (.vnls) dont les classes sont générées.</source>
        <translation>Diagram (.vnls) whose classes are generated.</translation>
    </message>
    <message>
        <source>diagramme</source>
        <translation>diagram</translation>
    </message>
    <message>
        <source>Dossier où les fichiers sont écrits.</source>
        <translation>Folder where the files are written.</translation>
    </message>
    <message>
        <source>dossier</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>Classe à générer (répétable) ; toutes les classes sans cette option.</source>
        <translation>Class to generate (repeatable); every class without this option.</translation>
    </message>
    <message>
        <source>nom</source>
        <translation>name</translation>
    </message>
    <message>
        <source>Argument inattendu : </source>
        <translation>Unexpected argument: </translation>
    </message>
    <message>
        <source>L&apos;option --generate est manquante.</source>
        <translation>The --generate option is missing.</translation>
    </message>
    <message>
        <source>L&apos;option --output est manquante.</source>
        <translation>The --output option is missing.</translation>
    </message>
    <message>
        <source>Un seul diagramme et un seul dossier de destination sont admis.</source>
        <translation>Only one diagram and one destination folder are allowed.</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier à cet emplacement :</source>
        <translation>Cannot open the file at this location:</translation>
    </message>
    <message>
        <source>Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.</source>
        <translation>The saved file was opened but cannot be read.</translation>
    </message>
    <message>
        <source>Classe absente du diagramme : </source>
        <translation>Class not in the diagram: </translation>
    </message>
    <message>
        <source>Impossible de créer le dossier </source>
        <translation>Cannot create the folder </translation>
    </message>
    <message>
        <source>Aucune classe à générer.</source>
        <translation>No class to generate.</translation>
    </message>
    <message>
        <source>Lancé avec un seul fichier et sans option, varnel ouvre ce diagramme dans sa fenêtre.</source>
        <translation>Started with a single file and no option, varnel opens that diagram in its window.</translation>
    </message>
    <message>
        <source>Diagramme (.vnls) dont l&apos;image est écrite dans le fichier --output, au format de son suffixe (.png, .svg ou .pdf).</source>
        <translation>Diagram (.vnls) whose picture is written to the --output file, in the format of its suffix (.png, .svg or .pdf).</translation>
    </message>
    <message>
        <source>--export demande un diagramme et un seul fichier --output, sans --generate ni --class.</source>
        <translation>--export needs one diagram and one --output file, without --generate or --class.</translation>
    </message>
    <message>
        <source>Écrit des squelettes neufs sur les fichiers existants, sans garder le code écrit dans les fichiers source.</source>
        <translation>Writes fresh skeletons over existing files, without keeping the code written in the source files.</translation>
    </message>
    <message>
        <source>Fichiers inchangés : %1</source>
        <translation>Unchanged files: %1</translation>
    </message>
    <message>
        <source>Lien ignoré, classe introuvable : </source>
        <translation>Link ignored, class not found: </translation>
    </message>
</context>
<context>
    <name>DeleteItemsCommand</name>
    <message>
        <source>supprimer %1</source>
        <translation>delete %1</translation>
    </message>
    <message>
        <source>supprimer le lien %1</source>
        <translation>delete the link %1</translation>
    </message>
    <message>
        <source>supprimer %1 éléments</source>
        <translation>delete %1 items</translation>
    </message>
</context>
<context>
    <name>EditClassCommand</name>
    <message>
        <source>modifier %1</source>
        <translation>edit %1</translation>
    </message>
</context>
<context>
    <name>EditLinkCommand</name>
    <message>
        <source>modifier le lien %1</source>
        <translation>edit the link %1</translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>Format d&apos;image inconnu (.png, .svg ou .pdf attendu) : </source>
        <translation>Unknown picture format (.png, .svg or .pdf expected): </translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire l&apos;image </source>
        <translation>Cannot write the picture </translation>
    </message>
</context>
<context>
    <name>LinkEditor</name>
    <message>
        <source>Editeur de lien</source>
        <translation>Link Editor</translation>
    </message>
    <message>
        <source>Lien :</source>
        <translation>Link:</translation>
    </message>
    <message>
        <source>Texte 1</source>
        <translation>Class 1</translation>
    </message>
    <message>
        <source>Texte 2</source>
        <translation>Class 2</translation>
    </message>
    <message>
        <source>Supprimer le lien</source>
        <translation>Delete Link</translation>
    </message>
    <message>
        <source>Ajouter</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>&lt; Sélectionnez &gt;</source>
        <translation>&lt; Select &gt;</translation>
    </message>
    <message>
        <source>Héritage</source>
        <translation>Inheritance</translation>
    </message>
    <message>
        <source>Classe mère :</source>
        <translation>Base class:</translation>
    </message>
    <message>
        <source>Classe fille :</source>
        <translation>Derived class:</translation>
    </message>
    <message>
        <source>Agrégation</source>
        <translation>Aggregation</translation>
    </message>
    <message>
        <source>Classe contenant</source>
        <translation>Containing class</translation>
    </message>
    <message>
        <source>Classe contenue</source>
        <translation>Contained class</translation>
    </message>
    <message>
        <source>Association</source>
        <translation>Association</translation>
    </message>
    <message>
        <source>Modifier</source>
        <translation>Update</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Pour éditer une classe ou un lien, faites un clique droite dessus.</source>
        <translation>Right-click a class or a link to edit it.</translation>
    </message>
    <message>
        <source>Zoom :</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>VNL</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Modélisation</source>
        <translation>Modeling</translation>
    </message>
    <message>
        <source>A propos</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Barre des fichiers</source>
        <translation>File Toolbar</translation>
    </message>
    <message>
        <source>Barre d&apos;item</source>
        <translation>Modeling Toolbar</translation>
    </message>
    <message>
        <source>Ajouter une classe</source>
        <translation>Add Class</translation>
    </message>
    <message>
        <source>Ouvre l&apos;éditeur de classe</source>
        <translation>Opens the class editor</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Ctrl+A</translation>
    </message>
    <message>
        <source>Ajouter un lien d&apos;héritage</source>
        <translation>Add Inheritance Link</translation>
    </message>
    <message>
        <source>Ouvre l&apos;éditeur de lien</source>
        <translation>Opens the link editor</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Ajouter un lien d&apos;agrégation</source>
        <translation>Add Aggregation Link</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation>Ctrl+L</translation>
    </message>
    <message>
        <source>Ajouter un lien d&apos;association</source>
        <translation>Add Association Link</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Ouvrir la fenêtre de génération</source>
        <translation>Generate Code...</translation>
    </message>
    <message>
        <source>Générer le code source</source>
        <translation>Generate the source code</translation>
    </message>
    <message>
        <source>Ouvre la fenêtre de paramétrage de la génération de code</source>
        <translation>Opens the code generation settings</translation>
    </message>
    <message>
        <source>Ctrl+G</source>
        <translation>Ctrl+G</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Enregistre votre diagramme</source>
        <translation>Saves your diagram</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Charger</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Charge un diagramme précédement enregistré</source>
        <translation>Opens a previously saved diagram</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Enregistrer sous ...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>Alt+S</source>
        <translation>Alt+S</translation>
    </message>
    <message>
        <source>Nouveau</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Efface le diagramme actuel pour en faire un nouveau</source>
        <translation>Clears the current diagram to start a new one</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Ferme VNL</source>
        <translation>Quits VNL</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Preferences...</translation>
    </message>
    <message>
        <source>Ouvre le gestionnaire de configuration</source>
        <translation>Opens the preferences</translation>
    </message>
    <message>
        <source>A propos de Qt</source>
        <translation>About Qt</translation>
    </message>
    <message>
        <source>A propos d&apos;VNL</source>
        <translation>About VNL</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Un lien existe déjà entre ces deux classes.</source>
        <translation>These two classes are already linked.</translation>
    </message>
    <message>
        <source>Sans nom</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>Prêt</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier de configuration.</source>
        <translation>The configuration file could not be opened.</translation>
    </message>
    <message>
        <source>Impossible de parser le fichier de configuration.</source>
        <translation>The configuration file could not be read: it is not valid.</translation>
    </message>
    <message>
        <source>Impossible de créer un fichier de sauvegarde.</source>
        <translation>Unable to create a save file.</translation>
    </message>
    <message>
        <source>Sauvegarde effectuée - </source>
        <translation>Saved - </translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier à cet emplacement :</source>
        <translation>Unable to open the file at this location: </translation>
    </message>
    <message>
        <source>Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.</source>
        <translation>The save file was opened but cannot be read.</translation>
    </message>
    <message>
        <source>Le fichier a sûrement subie une mauvaise modification. Contactez le support pour trouver une solution.</source>
        <translation>The file has probably been damaged. Contact support to find a solution.</translation>
    </message>
    <message>
        <source>Voulez-vous sauvegarder votre travail actuel avant de crer un nouveau diagramme ?</source>
        <translation>Do you want to save your current work before creating a new diagram?</translation>
    </message>
    <message>
        <source>Voulez-vous sauvegarder votre travail actuel avant d&apos;ouvrir un autre diagramme ?</source>
        <translation>Do you want to save your current work before opening another diagram?</translation>
    </message>
    <message>
        <source>Ouvrir un diagramme</source>
        <translation>Open a diagram</translation>
    </message>
    <message>
        <source>Sauvegardes VNL (*vnls)</source>
        <translation>VNL saves (*vnls)</translation>
    </message>
    <message>
        <source>Etês vous sur de vouloir écraser votre ancienne sauvegarde ?</source>
        <translation>Are you sure you want to overwrite your previous save?</translation>
    </message>
    <message>
        <source>Sauvegarde VNL (*.vnls)</source>
        <translation>VNL save (*.vnls)</translation>
    </message>
    <message>
        <source>Fermeture</source>
        <translation>Closing</translation>
    </message>
    <message>
        <source>Voulez-vous sauvegarder votre travail avant de fermer le logiciel ?</source>
        <translation>Do you want to save your work before closing the program?</translation>
    </message>
    <message>
        <source>Êtes vous sûr de vouloir fermer VNL ?</source>
        <translation>Are you sure you want to close VNL?</translation>
    </message>
    <message>
        <source>Fichiers récents</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>Exporter l&apos;image ...</source>
        <translation>Export picture ...</translation>
    </message>
    <message>
        <source>Enregistre le diagramme entier en image PNG, SVG ou PDF</source>
        <translation>Saves the whole diagram as a PNG, SVG or PDF picture</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>Imprimer ...</source>
        <translation>Print ...</translation>
    </message>
    <message>
        <source>Imprime le diagramme entier sur une page</source>
        <translation>Prints the whole diagram on one page</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Aperçu avant impression</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Montre la page telle qu&apos;elle sera imprimée</source>
        <translation>Shows the page as it will be printed</translation>
    </message>
    <message>
        <source>Image PNG (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>Image SVG (*.svg)</source>
        <translation>SVG picture (*.svg)</translation>
    </message>
    <message>
        <source>Document PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Exporter l&apos;image</source>
        <translation>Export picture</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire l&apos;image : </source>
        <translation>Cannot write the picture: </translation>
    </message>
    <message>
        <source>Image exportée - </source>
        <translation>Picture exported - </translation>
    </message>
    <message>
        <source>Vider la liste</source>
        <translation>Clear the list</translation>
    </message>
    <message>
        <source>Ce diagramme n&apos;existe plus, il est retiré des fichiers récents : </source>
        <translation>This diagram no longer exists; it leaves the recent files: </translation>
    </message>
    <message>
        <source>Édition</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Annule la dernière modification du diagramme</source>
        <translation>Undoes the last change of the diagram</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Rétablir</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Rétablit la dernière modification annulée</source>
        <translation>Redoes the last undone change</translation>
    </message>
    <message>
        <source>Supprimer la sélection</source>
        <translation>Delete the selection</translation>
    </message>
    <message>
        <source>Supprime les classes et les liens sélectionnés</source>
        <translation>Deletes the selected classes and links</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Del</translation>
    </message>
    <message>
        <source>Tout désélectionner</source>
        <translation>Deselect all</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Annuler : %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>Rétablir : %1</source>
        <translation>Redo: %1</translation>
    </message>
    <message>
        <source>Ajuster à la fenêtre</source>
        <translation>Fit to Window</translation>
    </message>
    <message>
        <source>Montre tout le diagramme, aussi grand que le zoom le permet</source>
        <translation>Shows the whole diagram, as large as the zoom allows</translation>
    </message>
    <message>
        <source>Ctrl+0</source>
        <translation>Ctrl+0</translation>
    </message>
    <message>
        <source>Zoom avant</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Ctrl++</source>
        <translation>Ctrl++</translation>
    </message>
    <message>
        <source>Zoom arrière</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Ctrl+-</source>
        <translation>Ctrl+-</translation>
    </message>
    <message>
        <source>1 lien ignoré : classe introuvable</source>
        <translation>1 link ignored: class not found</translation>
    </message>
    <message>
        <source>%1 liens ignorés : classe introuvable</source>
        <translation>%1 links ignored: class not found</translation>
    </message>
    <message>
        <source>Le fichier %1 existe déjà.</source>
        <translation>The file %1 already exists.</translation>
    </message>
    <message>
        <source>Voulez-vous le remplacer ?</source>
        <translation>Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>MoveBoxesCommand</name>
    <message>
        <source>déplacer %1</source>
        <translation>move %1</translation>
    </message>
    <message>
        <source>déplacer %1 classes</source>
        <translation>move %1 classes</translation>
    </message>
</context>
<context>
    <name>WellWin</name>
    <message>
        <source>Bienvenue !</source>
        <translation>Welcome!</translation>
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
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Varnel (VNL) is free software made by enthusiasts. &lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;To keep getting faster and easier to use, VNL &lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;needs your opinions, your impressions, your bug reports &lt;/span&gt;&lt;/p&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;and your ideas for improvements.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>Laissez vos commentaires sur le site</source>
        <translation>Leave your comments on our website</translation>
    </message>
    <message>
        <source>https://varnel.example.org/feedback</source>
        <translation>https://varnel.example.org/feedback</translation>
    </message>
</context>
</TS>
