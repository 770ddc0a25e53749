// Declarative window layouts: a form and its controls described as plain data, one table
// per window (see res/layouts/). The toolkit builds the windows from these tables; the form
// classes only look their controls up by name and attach handlers.
#pragma once
#include <windows.h>

#include <span>

namespace tk {

enum class ControlKind {
    Panel,       // container with bevels and an optional caption
    GroupBox,    // container with an etched frame and a caption
    Label,       // static text
    Edit,        // single-line edit; PasswordChar/MaxLength apply
    Button,      // push button
    CheckBox,    // two-state check box
    RadioGroup,  // group box holding one radio button per item
    Image,       // windowless picture painted by its parent
    Bevel,       // windowless frame painted by its parent
    PageControl, // tab control whose pages are the TabSheets that name it as parent
    TabSheet,    // one page of a PageControl
    ListView,    // large-icon list view
    Slider,      // horizontal slider drawn by the toolkit (TSlider)
    SpinEdit,    // edit with an up-down buddy
    Timer,       // not a window: interval and enabled state only
};

enum class BevelStyle { None, Lowered, Raised };
enum class BorderStyle { None, Single, Dialog };
enum class WindowState { Normal, Maximized };
enum class Position { Designed, Default, ScreenCenter };
enum class Cursor { Default, None, HandPoint };
// The toolkit's standard colours.
enum class Colour { Default, ButtonFace, Grey, Black, Navy };

struct FontSpec {
    const char* face = nullptr; // nullptr: take the parent's font
    int height = 0;             // character height in pixels (the font is created with -height)
    bool bold = false;
    bool italic = false;
    BYTE charset = DEFAULT_CHARSET;
    Colour colour = Colour::Default;
};

struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
};

struct ControlSpec {
    const char* name;
    ControlKind kind;
    const char* parent = nullptr; // nullptr: the form itself
    Bounds bounds = {};
    const char* caption = "";
    FontSpec font = {};
    bool visible = true;
    // Made with its children when the form first asks for it (TForm::MakeDeferredControls),
    // not with the form: for what a run may never need, such as a hidden panel. Hints are
    // attached to the controls made with the form only.
    bool deferred = false;
    int tabOrder = 0;
    bool tabStop = true;
    // Edit
    int maxLength = 0;
    char passwordChar = 0;
    // Panel and bevel
    BevelStyle bevelInner = BevelStyle::None;
    BevelStyle bevelOuter = BevelStyle::None;
    bool singleBorder = false;
    // Buttons
    bool isDefault = false;
    bool checked = false;
    // Hints and cursor
    const char* hint = nullptr;
    bool showHint = false;
    Cursor cursor = Cursor::Default;
    // Timer
    UINT interval = 0;
    bool enabled = false;
    // RadioGroup items (separated by '\n') and columns; Slider and SpinEdit ranges
    const char* items = nullptr;
    int columns = 1;
    int itemIndex = -1;
    int minValue = 0, maxValue = 0, increment = 0, value = 0;
    // Image: the icon stretched to the bounds; ListView: the background colour
    bool stretch = false;
    Colour colour = Colour::Default;
    // PageControl: the width of every tab (fixed-width tabs); ListView: `items` holds the item
    // captions, one per line, and item k shows image k of the list the form class attaches
    int tabWidth = 0;
};

struct FormSpec {
    const char* className;
    const char* caption;
    BorderStyle border = BorderStyle::Single;
    bool topMost = false;
    WindowState state = WindowState::Normal;
    Colour colour = Colour::ButtonFace;
    bool visible = false;
    Position position = Position::Default;
    Bounds designBounds = {}; // left and top used by Position::Designed; width/height = client size
    FontSpec font = {};
    bool scaled = false; // scale the layout from 96 pixels per inch to the screen's density
    WORD iconId = 0;     // integer resource id of the form icon, 0 for none
    std::span<const ControlSpec> controls = {};
};

} // namespace tk
