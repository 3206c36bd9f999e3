; The setup's own texts, one set per language the setup offers (the names of
; NSIS's language files; scripts/package maps each file of Languages\ to one).
; makensis -WX fails when a language the setup offers lacks one of them.

LangString SecProgram ${LANG_ENGLISH} "Program files and Start menu shortcut"
LangString SecDesktop ${LANG_ENGLISH} "Desktop shortcut"
LangString SecUnProgram ${LANG_ENGLISH} "Program files, shortcuts and the entry in the list of programs"
LangString SecUnSettings ${LANG_ENGLISH} "My settings, journal and cache"
LangString RemovingPrevious ${LANG_ENGLISH} "Removing the installed version first..."

LangString SecProgram ${LANG_GERMAN} "Programmdateien und Verknüpfung im Startmenü"
LangString SecDesktop ${LANG_GERMAN} "Verknüpfung auf dem Desktop"
LangString SecUnProgram ${LANG_GERMAN} "Programmdateien, Verknüpfungen und der Eintrag in der Programmliste"
LangString SecUnSettings ${LANG_GERMAN} "Meine Einstellungen, das Protokoll und der Zwischenspeicher"
LangString RemovingPrevious ${LANG_GERMAN} "Die installierte Version wird zuerst entfernt..."

LangString SecProgram ${LANG_FRENCH} "Fichiers du programme et raccourci du menu Démarrer"
LangString SecDesktop ${LANG_FRENCH} "Raccourci sur le Bureau"
LangString SecUnProgram ${LANG_FRENCH} "Fichiers du programme, raccourcis et entrée dans la liste des programmes"
LangString SecUnSettings ${LANG_FRENCH} "Mes paramètres, le journal et le cache"
LangString RemovingPrevious ${LANG_FRENCH} "Suppression préalable de la version installée..."

LangString SecProgram ${LANG_SPANISH} "Archivos del programa y acceso directo en el menú Inicio"
LangString SecDesktop ${LANG_SPANISH} "Acceso directo en el escritorio"
LangString SecUnProgram ${LANG_SPANISH} "Archivos del programa, accesos directos y la entrada en la lista de programas"
LangString SecUnSettings ${LANG_SPANISH} "Mi configuración, el registro de cambios y la caché"
LangString RemovingPrevious ${LANG_SPANISH} "Quitando primero la versión instalada..."

LangString SecProgram ${LANG_RUSSIAN} "Файлы программы и ярлык в меню «Пуск»"
LangString SecDesktop ${LANG_RUSSIAN} "Ярлык на рабочем столе"
LangString SecUnProgram ${LANG_RUSSIAN} "Файлы программы, ярлыки и запись в списке программ"
LangString SecUnSettings ${LANG_RUSSIAN} "Мои настройки, журнал и кэш"
LangString RemovingPrevious ${LANG_RUSSIAN} "Сначала удаляется установленная версия..."

LangString SecProgram ${LANG_SIMPCHINESE} "程序文件和开始菜单快捷方式"
LangString SecDesktop ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString SecUnProgram ${LANG_SIMPCHINESE} "程序文件、快捷方式和程序列表中的条目"
LangString SecUnSettings ${LANG_SIMPCHINESE} "我的设置、日志和缓存"
LangString RemovingPrevious ${LANG_SIMPCHINESE} "正在先删除已安装的版本..."
