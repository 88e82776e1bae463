# SPDX-License-Identifier: GPL-3.0-or-later
# The sources of the four layers every front end builds on, relative to
# the repository's root; the desktop build and the web edition both read them.
set(PELMAR_UI_SOURCES
  src/ui/Clock.cpp
  src/ui/Controls.cpp
  src/ui/Form.cpp
  src/ui/Properties.cpp
  src/ui/NumberText.cpp
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
  src/host/TableStorage.cpp
)
