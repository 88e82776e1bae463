#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program on a private Xvfb display: on_xvfb.sh PROGRAM [ARG...]
source "$(dirname "$0")/xsession.sh"
start_display
status=0
"$@" || status=$?
exit "$status"
