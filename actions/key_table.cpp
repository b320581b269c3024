#include "actions/key_table.h"

#include "common/string_resource.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"

namespace {

struct KeyEntry {
  BYTE virtualKey;
  UINT nameId;
};

// Indices are stored in plug-in files: never reorder or remove an entry.
constexpr KeyEntry kKeys[KeyTable::kSize] = {
    {0x00, IDS_KEY_NONE},         // 0
    {0x11, IDS_KEY_CTRL},         // 1
    {0x10, IDS_KEY_SHIFT},        // 2
    {0x12, IDS_KEY_ALT},          // 3
    {0x08, IDS_KEY_BACKSPACE},    // 4
    {0x2E, IDS_KEY_DELETE},       // 5
    {0x09, IDS_KEY_TAB},          // 6
    {0x0C, IDS_KEY_CLEAR},        // 7
    {0x0D, IDS_KEY_RETURN},       // 8
    {0x13, IDS_KEY_PAUSE},        // 9
    {0x14, IDS_KEY_CAPS_LOCK},    // 10
    {0x1B, IDS_KEY_ESC},          // 11
    {0x03, IDS_KEY_CANCEL},       // 12
    {0x20, IDS_KEY_SPACE},        // 13
    {0x21, IDS_KEY_PREV_PAGE},    // 14
    {0x22, IDS_KEY_NEXT_PAGE},    // 15
    {0x24, IDS_KEY_HOME},         // 16
    {0x23, IDS_KEY_END},          // 17
    {0x25, IDS_KEY_LEFT},         // 18
    {0x27, IDS_KEY_RIGHT},        // 19
    {0x26, IDS_KEY_UP},           // 20
    {0x28, IDS_KEY_DOWN},         // 21
    {0x29, IDS_KEY_SELECT},       // 22
    {0x2B, IDS_KEY_EXECUTE},      // 23
    {0x2C, IDS_KEY_PRINT_SCREEN}, // 24
    {0x2D, IDS_KEY_INSERT},       // 25
    {0x2F, IDS_KEY_HELP},         // 26
    {0x90, IDS_KEY_NUM_LOCK},     // 27
    {0x91, IDS_KEY_SCROLL_LOCK},  // 28
    {0x30, IDS_KEY_0},            // 29
    {0x31, IDS_KEY_1},            // 30
    {0x32, IDS_KEY_2},            // 31
    {0x33, IDS_KEY_3},            // 32
    {0x34, IDS_KEY_4},            // 33
    {0x35, IDS_KEY_5},            // 34
    {0x36, IDS_KEY_6},            // 35
    {0x37, IDS_KEY_7},            // 36
    {0x38, IDS_KEY_8},            // 37
    {0x39, IDS_KEY_9},            // 38
    {0x41, IDS_KEY_A},            // 39
    {0x42, IDS_KEY_B},            // 40
    {0x43, IDS_KEY_C},            // 41
    {0x44, IDS_KEY_D},            // 42
    {0x45, IDS_KEY_E},            // 43
    {0x46, IDS_KEY_F},            // 44
    {0x47, IDS_KEY_G},            // 45
    {0x48, IDS_KEY_H},            // 46
    {0x49, IDS_KEY_I},            // 47
    {0x4A, IDS_KEY_J},            // 48
    {0x4B, IDS_KEY_K},            // 49
    {0x4C, IDS_KEY_L},            // 50
    {0x4D, IDS_KEY_M},            // 51
    {0x4E, IDS_KEY_N},            // 52
    {0x4F, IDS_KEY_O},            // 53
    {0x50, IDS_KEY_P},            // 54
    {0x51, IDS_KEY_Q},            // 55
    {0x52, IDS_KEY_R},            // 56
    {0x53, IDS_KEY_S},            // 57
    {0x54, IDS_KEY_T},            // 58
    {0x55, IDS_KEY_U},            // 59
    {0x56, IDS_KEY_V},            // 60
    {0x57, IDS_KEY_W},            // 61
    {0x58, IDS_KEY_X},            // 62
    {0x59, IDS_KEY_Y},            // 63
    {0x5A, IDS_KEY_Z},            // 64
    {0x60, IDS_KEY_NUMPAD_0},     // 65
    {0x61, IDS_KEY_NUMPAD_1},     // 66
    {0x62, IDS_KEY_NUMPAD_2},     // 67
    {0x63, IDS_KEY_NUMPAD_3},     // 68
    {0x64, IDS_KEY_NUMPAD_4},     // 69
    {0x65, IDS_KEY_NUMPAD_5},     // 70
    {0x66, IDS_KEY_NUMPAD_6},     // 71
    {0x67, IDS_KEY_NUMPAD_7},     // 72
    {0x68, IDS_KEY_NUMPAD_8},     // 73
    {0x69, IDS_KEY_NUMPAD_9},     // 74
    {0x5B, IDS_KEY_LEFT_WIN},     // 75
    {0x5C, IDS_KEY_RIGHT_WIN},    // 76
    {0x5D, IDS_KEY_APPS},         // 77
    {0x6A, IDS_KEY_MULTIPLY},     // 78
    {0x6B, IDS_KEY_ADD},          // 79
    {0x6C, IDS_KEY_SEPARATOR},    // 80
    {0x6D, IDS_KEY_SUBTRACT},     // 81
    {0x6E, IDS_KEY_DECIMAL},      // 82
    {0x6F, IDS_KEY_DIVIDE},       // 83
    {0x70, IDS_KEY_F1},           // 84
    {0x71, IDS_KEY_F2},           // 85
    {0x72, IDS_KEY_F3},           // 86
    {0x73, IDS_KEY_F4},           // 87
    {0x74, IDS_KEY_F5},           // 88
    {0x75, IDS_KEY_F6},           // 89
    {0x76, IDS_KEY_F7},           // 90
    {0x77, IDS_KEY_F8},           // 91
    {0x78, IDS_KEY_F9},           // 92
    {0x79, IDS_KEY_F10},          // 93
    {0x7A, IDS_KEY_F11},          // 94
    {0x7B, IDS_KEY_F12},          // 95
    {0x7C, IDS_KEY_F13},          // 96
    {0x7D, IDS_KEY_F14},          // 97
    {0x7E, IDS_KEY_F15},          // 98
    {0x7F, IDS_KEY_F16},          // 99
    {0x80, IDS_KEY_F17},          // 100
    {0x81, IDS_KEY_F18},          // 101
    {0x82, IDS_KEY_F19},          // 102
    {0x83, IDS_KEY_F20},          // 103
    {0x84, IDS_KEY_F21},          // 104
    {0x85, IDS_KEY_F22},          // 105
    {0x86, IDS_KEY_F23},          // 106
    {0x87, IDS_KEY_F24},          // 107
    {0xF6, IDS_KEY_ATTN},         // 108
    {0xF7, IDS_KEY_CRSEL},        // 109
    {0xF8, IDS_KEY_EXSEL},        // 110
    {0xF9, IDS_KEY_ERASE_EOF},    // 111
    {0xFA, IDS_KEY_PLAY},         // 112
    {0xFB, IDS_KEY_ZOOM},         // 113
    {0xFD, IDS_KEY_PA1},          // 114
    {0xFE, IDS_KEY_OEM_CLEAR},    // 115
};

}  // namespace

BYTE KeyTable::virtualKey(int index) {
  return isValidIndex(index) ? kKeys[index].virtualKey : 0;
}

UINT KeyTable::nameId(int index) {
  return isValidIndex(index) ? kKeys[index].nameId : 0;
}

std::string KeyTable::name(int index) {
  return isValidIndex(index) ? LoadAnsiString(kKeys[index].nameId, AppInstance()) : std::string();
}
