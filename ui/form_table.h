// What a window looks like, as plain constant data: every front end builds any window from this.
// Measures are twips, as the window tables are written; front ends convert them to pixels.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace ui {

enum class ControlKind {
    Button,    // graphical push button: picture above the caption
    CheckBox,  // flat two-state box
    TextBox,   // single-line edit box
    Label,     // static text, wraps within its width
    LinkLabel, // label that opens its caption when clicked anywhere in its rectangle
    Frame,     // group frame; controls naming it as parent are placed inside it
    Picture,   // bitmap drawn at its own size
    Movie,     // movie player strip
};

// Whether the control can hold the keyboard focus (and so takes part in Tab order).
constexpr bool takes_focus(ControlKind kind)
{
    return kind == ControlKind::Button || kind == ControlKind::CheckBox ||
           kind == ControlKind::TextBox || kind == ControlKind::Movie;
}

enum class Border {
    FixedSingle, // normal caption, icon, taskbar entry
    FixedTool,   // narrow caption, no icon, no taskbar entry
};

enum class Art { None, Emblem, OpenFolder, Banner, AboutBanner };

enum class Cursor { Default, Hand, HandExclaim, Pen };

enum class Align { Left, Right };

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr bool contains(int x, int y) const
    {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
};

// The script a control's text is set in: Western for English captions and addresses, or
// whichever the system picks for the face (Chinese on the player's system). Each front end maps
// it to its own font matching.
enum class Script { System, Western };

struct Font {
    std::string_view face; // empty: the platform's default dialog font
    int tenth_points = 0;  // 0 with an empty face
    bool underline = false;
    Script script = Script::System;
};

inline constexpr Font kDialogFont{};
inline constexpr Font kSongTi75{"宋体", 75, false};
// The English captions and addresses of the information windows are set in the Western set.
inline constexpr Font kTahoma9{"Tahoma", 90, false, Script::Western};
inline constexpr Font kTahoma9Link{"Tahoma", 90, true, Script::Western};

inline constexpr std::uint32_t kDefaultColour = 0xFFFFFFFF;
inline constexpr std::uint32_t kPureBlue = 0x0000FF; // 0xRRGGBB

inline constexpr int kNoTab = -1;

struct ControlSpec {
    std::string_view name = {}; // Command1, Text1, ...
    ControlKind kind = ControlKind::Label;
    std::string_view text = {}; // caption, or a text box's initial text; '&' marks the access key
    Rect rect = {};             // relative to the parent (the window, or the frame named below)
    int tab = kNoTab;           // keyboard order
    std::string_view tooltip = {};
    Font font = kDialogFont;
    int max_length = 0; // text boxes: 0 means no limit
    bool checked = false;
    bool default_button = false;
    Art picture = Art::None;
    Cursor cursor = Cursor::Default;
    std::string_view parent = {};
    Align align = Align::Left;
    std::uint32_t colour = kDefaultColour;
};

// Controls are listed from the top of the z-order down: where two overlap, the earlier one is
// drawn above the later one and takes the clicks in the overlap.
struct FormSpec {
    std::string_view name = {}; // Form1 ... Form4
    std::string_view caption = {};
    Border border = Border::FixedTool;
    int client_width = 0;
    int client_height = 0;
    Art icon = Art::None;
    Cursor cursor = Cursor::Default;
    std::span<const ControlSpec> controls = {};

    const ControlSpec* find(std::string_view control) const
    {
        for (const ControlSpec& c : controls) {
            if (c.name == control) return &c;
        }
        return nullptr;
    }
};

// A Latin capital as its small letter; anything else as it is.
constexpr char32_t ascii_lower(char32_t c)
{
    return (c >= U'A' && c <= U'Z') ? c - U'A' + U'a' : c;
}

// The access key of a caption: the character after a single '&', lower-cased; 0 when none.
constexpr char access_key(std::string_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        char c = caption[i + 1];
        if (c == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(ascii_lower(static_cast<unsigned char>(c)));
    }
    return 0;
}

} // namespace ui
