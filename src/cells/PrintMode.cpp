#include "cells/PrintMode.h"

namespace {
PrintMode::Mode g_mode = PrintMode::kScreen;
}

PrintMode::Mode PrintMode::Current() { return g_mode; }

PrintMode::Scope::Scope(Mode mode) : before_(g_mode) { g_mode = mode; }

PrintMode::Scope::~Scope() { g_mode = before_; }
