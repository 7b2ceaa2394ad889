// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A page that reaches into the shell: the layer check must refuse it.
#pragma once
#include "shell/main_form.h"
