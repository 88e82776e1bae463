# SPDX-License-Identifier: GPL-3.0-or-later
# The sources of the four layers every front end builds on, relative to
# the repository's root; the desktop build and the web edition both read them.
set(PELMAR_UI_SOURCES
  src/ui/Clock.cpp
  src/ui/Controls.cpp
  src/ui/Form.cpp
  src/ui/Properties.cpp
  src/ui/NumberText.cpp
  src/ui/Paint.cpp
)
set(PELMAR_WINDOWS_SOURCES
  src/windows/Layouts.cpp
  src/windows/Cfrm.cpp
  src/windows/BestForm.cpp
  src/windows/SobrForm.cpp
)
set(PELMAR_GAME_SOURCES
  src/game/Game.cpp
  src/game/Kitchen.cpp
  src/game/Cook.cpp
  src/game/Displays.cpp
  src/game/Dialogs.cpp
  src/game/HighScores.cpp
  src/game/ScoreFormat.cpp
  src/game/Procedures.cpp
  src/game/Json.cpp
  src/game/Dump.cpp
  src/game/Effects.cpp
)
set(PELMAR_HOST_SOURCES
  src/host/Timers.cpp
  src/host/Input.cpp
  src/host/Question.cpp
  src/host/Recorder.cpp
  src/host/Host.cpp
  src/host/HostInput.cpp
  src/host/HostPlatform.cpp
  src/host/MenuKeys.cpp
  src/host/Status.cpp
  src/host/Script.cpp
  src/host/ScriptCommands.cpp
  src/host/ScriptText.cpp
  src/host/ScriptStreams.cpp
)
# The table's files and the records of the sessions on a POSIX file system,
# for the desktop and the simulator; the browser keeps its table in the page's own storage.
set(PELMAR_HOST_FILE_SOURCES
  src/host/Files.cpp
  src/host/TableStorage.cpp
  src/host/RecordFile.cpp
  src/host/RecordStorage.cpp
)

# The version the game shows (About, --version, the package): the desktop
# project's major.minor with two digits after the dot, so 5.0 shows as 5.00.
# The web edition has no project version of its own and reads the same line.
if(NOT DEFINED pelmar_VERSION_MAJOR)
  file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../CMakeLists.txt pelmar_project_line
       REGEX "^project\\(pelmar VERSION ")
  string(REGEX MATCH "VERSION ([0-9]+)\\.([0-9]+)" pelmar_project_line "${pelmar_project_line}")
  set(pelmar_VERSION_MAJOR ${CMAKE_MATCH_1})
  set(pelmar_VERSION_MINOR ${CMAKE_MATCH_2})
endif()
if(pelmar_VERSION_MINOR LESS 10)
  set(PELMAR_VERSION "${pelmar_VERSION_MAJOR}.0${pelmar_VERSION_MINOR}")
else()
  set(PELMAR_VERSION "${pelmar_VERSION_MAJOR}.${pelmar_VERSION_MINOR}")
endif()
add_compile_definitions(PELMAR_VERSION="${PELMAR_VERSION}")
