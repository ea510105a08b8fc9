#pragma once
// What the main window needs from the platform, handed to it at construction,
// so tests can answer its message boxes, keep its settings in a temporary
// store and run code while it processes events.
#include "support/AppInfo.h"
#include "support/Dialogs.h"
#include "support/DocumentOpener.h"
#include "support/Events.h"
#include "support/Screen.h"
#include "support/SettingsStore.h"

struct WindowServices {
    Dialogs& dialogs;
    SettingsStore& settings;
    const Screen& screen;
    DocumentOpener& documents;
    Events& events;
    AppInfo appInfo;
};
