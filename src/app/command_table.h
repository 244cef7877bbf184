#pragma once
// The command table: every menu item with its caption, the blanks that
// follow it, its shortcut and its handler, in menu order. The main menu, the
// image's context menu and the toolbar all run these same handlers.
#include "app/command_context.h"

#include <span>
#include <string_view>

namespace kel {

struct CommandItem {
    const char* name = nullptr;     // nullptr marks a separator line
    const char* caption = nullptr;  // up to its last visible character, UTF-8
    int trailingBlanks = 0;         // blanks that widen the menu
    const char* shortcut = nullptr; // portable key text ("Ctrl+O", "Shift+F1"), or nullptr
    Handler handler = nullptr;     // nullptr: the command does nothing yet
};

// A handler of the window's controls that no menu item runs, named after the
// control and its event ("ImageCIBLEClick", "TrackBarLUMINOSITEChange").
struct EventBinding {
    const char* name;
    Handler handler;
};

struct MenuDefinition {
    const char* name;
    const char* title;
    std::span<const CommandItem> items;
};

struct ToolbarButtonDefinition {
    int left;
    const char* name;
    Handler handler;
    bool handCursor;
};

// The eight menus of the main menu, left to right.
std::span<const MenuDefinition> mainMenus();
// The image's context menu. Its shortcuts are shown only: the keys act
// through the main menu.
std::span<const CommandItem> imageContextMenu();
// The 19 picture buttons of the toolbar, left to right.
std::span<const ToolbarButtonDefinition> toolbarButtons();
// The controls' event handlers.
std::span<const EventBinding> eventBindings();

// The handler of a menu item, toolbar button or event, by its component name
// ("Ouvriruneimage1", "Image9", "ImageCIBLEClick"); nullptr when unknown or
// when the command does nothing yet.
Handler handlerNamed(std::string_view name);

} // namespace kel
