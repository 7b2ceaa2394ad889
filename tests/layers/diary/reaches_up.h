// A page that reaches into the shell: the layer check must refuse it.
#pragma once
#include "shell/main_form.h"
