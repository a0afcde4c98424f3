#include "app/Module1.h"

// Everything starts from the member initialisers; the main window's start-up sizes the logo.
Module1::Module1() = default;
