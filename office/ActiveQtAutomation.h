#pragma once

#include "office/Automation.h"

// ActiveQt's QAxObject behind the automation interface (Windows only, built
// when Qt's AxContainer module is found; it defines QUORVEX_HAVE_ACTIVEQT).
// The program installs it at start-up:
//     setAutomationFactory(createActiveQtAutomationObject);
// Each root object initialises COM on its thread (a pool thread) and
// uninitialises it when deleted.
std::unique_ptr<AutomationObject> createActiveQtAutomationObject();
