; The installer's own texts in the program's four languages (NSIS brings the standard pages').

LangString OptionsIntro ${LANG_ENGLISH} "Tonecast is installed for all users. The gamma-range option takes effect once you sign out and sign in again; uninstalling puts the old setting back."
LangString OptionsIntro ${LANG_GERMAN} "Tonecast wird für alle Benutzer installiert. Die Gamma-Option wirkt, sobald Sie sich ab- und wieder anmelden; die Deinstallation stellt den alten Wert wieder her."
LangString OptionsIntro ${LANG_FRENCH} "Tonecast est installé pour tous les utilisateurs. L'option gamma agit une fois la session fermée et rouverte ; la désinstallation rétablit l'ancien réglage."
LangString OptionsIntro ${LANG_SPANISH} "Tonecast se instala para todos los usuarios. La opción gamma surte efecto al cerrar la sesión y volver a iniciarla; al desinstalar vuelve el valor anterior."

LangString SecProgram ${LANG_ENGLISH} "Tonecast and its Start-menu shortcut"
LangString SecProgram ${LANG_GERMAN} "Tonecast und seine Startmenü-Verknüpfung"
LangString SecProgram ${LANG_FRENCH} "Tonecast et son raccourci du menu Démarrer"
LangString SecProgram ${LANG_SPANISH} "Tonecast y su acceso directo en el menú Inicio"

LangString SecProgramDesc ${LANG_ENGLISH} "Tonecast, its log-on loader, the language files and the reference image."
LangString SecProgramDesc ${LANG_GERMAN} "Tonecast, sein Lader bei der Anmeldung, die Sprachdateien und das Referenzbild."
LangString SecProgramDesc ${LANG_FRENCH} "Tonecast, son chargeur de session, les fichiers de langue et l'image de référence."
LangString SecProgramDesc ${LANG_SPANISH} "Tonecast, su cargador al iniciar sesión, los idiomas y la imagen de referencia."

LangString SecGammaRange ${LANG_ENGLISH} "Allow strong corrections (gamma range)"
LangString SecGammaRange ${LANG_GERMAN} "Starke Korrekturen erlauben (Gamma-Bereich)"
LangString SecGammaRange ${LANG_FRENCH} "Corrections fortes (plage gamma)"
LangString SecGammaRange ${LANG_SPANISH} "Permitir correcciones fuertes (rango gamma)"

LangString SecGammaRangeDesc ${LANG_ENGLISH} "Lifts Windows' limit on gamma ramps (GdiIcmGammaRange = 256) from the next sign-in."
LangString SecGammaRangeDesc ${LANG_GERMAN} "Hebt die Gamma-Grenze von Windows auf (GdiIcmGammaRange = 256), nach Neuanmeldung."
LangString SecGammaRangeDesc ${LANG_FRENCH} "Lève la limite gamma de Windows (GdiIcmGammaRange = 256) dès la prochaine session."
LangString SecGammaRangeDesc ${LANG_SPANISH} "Quita el límite gamma de Windows (GdiIcmGammaRange = 256) en la próxima sesión."

LangString UnOptionsIntro ${LANG_ENGLISH} "Tonecast will be removed, and every display gets back its uncorrected ramp. Your saved corrections and settings stay unless you tick the box. The maker's uninstall page will open in your browser."
LangString UnOptionsIntro ${LANG_GERMAN} "Tonecast wird entfernt, und jede Anzeige erhält ihre unkorrigierte Kurve zurück. Ihre gespeicherten Korrekturen und Einstellungen bleiben, außer Sie setzen das Häkchen. Die Deinstallationsseite des Herstellers öffnet sich im Browser."
LangString UnOptionsIntro ${LANG_FRENCH} "Tonecast va être supprimé, et chaque écran retrouve sa rampe non corrigée. Vos corrections et réglages enregistrés restent, sauf si vous cochez la case. La page de désinstallation de l'éditeur s'ouvrira dans le navigateur."
LangString UnOptionsIntro ${LANG_SPANISH} "Se quitará Tonecast y cada pantalla recupera su rampa sin corregir. Sus correcciones y ajustes guardados se conservan salvo que marque la casilla. La página de desinstalación del fabricante se abrirá en el navegador."

LangString UnSecData ${LANG_ENGLISH} "Also remove my saved corrections"
LangString UnSecData ${LANG_GERMAN} "Auch meine gespeicherten Korrekturen entfernen"
LangString UnSecData ${LANG_FRENCH} "Supprimer aussi mes corrections enregistrées"
LangString UnSecData ${LANG_SPANISH} "Quitar también mis correcciones guardadas"

LangString UnSecDataDesc ${LANG_ENGLISH} "Deletes the ramp files and settings in $APPDATA\Velmor\Tonecast."
LangString UnSecDataDesc ${LANG_GERMAN} "Löscht die Kurvendateien und Einstellungen in $APPDATA\Velmor\Tonecast."
LangString UnSecDataDesc ${LANG_FRENCH} "Supprime les fichiers de rampe et les réglages dans $APPDATA\Velmor\Tonecast."
LangString UnSecDataDesc ${LANG_SPANISH} "Borra los archivos de rampa y los ajustes de $APPDATA\Velmor\Tonecast."

LangString NeedAdmin ${LANG_ENGLISH} "Installing or removing Tonecast for all users needs an administrator account."
LangString NeedAdmin ${LANG_GERMAN} "Tonecast für alle Benutzer zu installieren oder zu entfernen erfordert ein Administratorkonto."
LangString NeedAdmin ${LANG_FRENCH} "Installer ou supprimer Tonecast pour tous les utilisateurs nécessite un compte administrateur."
LangString NeedAdmin ${LANG_SPANISH} "Instalar o quitar Tonecast para todos los usuarios requiere una cuenta de administrador."

LangString StartTonecast ${LANG_ENGLISH} "Start Tonecast"
LangString StartTonecast ${LANG_GERMAN} "Tonecast starten"
LangString StartTonecast ${LANG_FRENCH} "Lancer Tonecast"
LangString StartTonecast ${LANG_SPANISH} "Iniciar Tonecast"

LangString StartFailed ${LANG_ENGLISH} "Tonecast could not be started for you from here. Start it from the Start menu."
LangString StartFailed ${LANG_GERMAN} "Tonecast konnte von hier aus nicht für Sie gestartet werden. Starten Sie es über das Startmenü."
LangString StartFailed ${LANG_FRENCH} "Tonecast n'a pas pu être lancé pour vous d'ici. Lancez-le depuis le menu Démarrer."
LangString StartFailed ${LANG_SPANISH} "No se pudo iniciar Tonecast para usted desde aquí. Inícielo desde el menú Inicio."

LangString FinishGammaRange ${LANG_ENGLISH} "Strong corrections (gamma range) are allowed once you sign out and sign in again."
LangString FinishGammaRange ${LANG_GERMAN} "Starke Korrekturen (Gamma-Bereich) sind erlaubt, sobald Sie sich ab- und wieder anmelden."
LangString FinishGammaRange ${LANG_FRENCH} "Les corrections fortes (plage gamma) sont permises une fois la session fermée et rouverte."
LangString FinishGammaRange ${LANG_SPANISH} "Las correcciones fuertes (rango gamma) se permiten al cerrar la sesión y volver a iniciarla."
