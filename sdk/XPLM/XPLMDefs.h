#ifndef XPLMDefs_h
#define XPLMDefs_h
/*
 * Stand-in declarations of the X-Plane plug-in interface (XPLM): basic types,
 * platform and export macros, key and mouse codes. Written for this project from
 * the interface's published facts; the same sources build against the real SDK.
 */

#if !(defined(APL) && APL) && !(defined(IBM) && IBM) && !(defined(LIN) && LIN)
#error "Define one of APL, IBM or LIN to 1 before including the XPLM headers."
#endif

/* Marks the five functions a plug-in exports. */
#ifdef __cplusplus
#  if defined(_WIN32)
#    define PLUGIN_API extern "C" __declspec(dllexport)
#  else
#    define PLUGIN_API extern "C" __attribute__((visibility("default")))
#  endif
#else
#  if defined(_WIN32)
#    define PLUGIN_API __declspec(dllexport)
#  else
#    define PLUGIN_API __attribute__((visibility("default")))
#  endif
#endif

/* Marks functions the host provides. Windows imports them from the host's DLLs. */
#if defined(_WIN32) && !defined(XPLM)
#  define XPLM_API __declspec(dllimport)
#elif defined(_WIN32)
#  define XPLM_API __declspec(dllexport)
#else
#  define XPLM_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum { kXPLM_Version = 210 };

typedef int XPLMPluginID;

#define XPLM_NO_PLUGIN_ID   (-1)
#define XPLM_PLUGIN_XPLANE  (0)

/* Modifier and transition bits of a key event. */
enum {
    xplm_ShiftFlag     = 1,
    xplm_OptionAltFlag = 2,
    xplm_ControlFlag   = 4,
    xplm_DownFlag      = 8,
    xplm_UpFlag        = 16
};
typedef int XPLMKeyFlags;

/* Phase of a mouse click delivered to a window. */
enum {
    xplm_MouseDown = 1,
    xplm_MouseDrag = 2,
    xplm_MouseUp   = 3
};
typedef int XPLMMouseStatus;

#if defined(XPLM200)
enum {
    xplm_CursorDefault = 0,
    xplm_CursorHidden  = 1,
    xplm_CursorArrow   = 2,
    xplm_CursorCustom  = 3
};
typedef int XPLMCursorStatus;
#endif

/* Virtual key codes (host values, unsigned). */
#define XPLM_VK_BACK       0x08
#define XPLM_VK_TAB        0x09
#define XPLM_VK_CLEAR      0x0C
#define XPLM_VK_RETURN     0x0D
#define XPLM_VK_ESCAPE     0x1B
#define XPLM_VK_SPACE      0x20
#define XPLM_VK_PRIOR      0x21
#define XPLM_VK_NEXT       0x22
#define XPLM_VK_END        0x23
#define XPLM_VK_HOME       0x24
#define XPLM_VK_LEFT       0x25
#define XPLM_VK_UP         0x26
#define XPLM_VK_RIGHT      0x27
#define XPLM_VK_DOWN       0x28
#define XPLM_VK_INSERT     0x2D
#define XPLM_VK_DELETE     0x2E
#define XPLM_VK_0          0x30
#define XPLM_VK_9          0x39
#define XPLM_VK_A          0x41
#define XPLM_VK_Z          0x5A
#define XPLM_VK_NUMPAD0    0x60
#define XPLM_VK_NUMPAD9    0x69
#define XPLM_VK_MULTIPLY   0x6A
#define XPLM_VK_ADD        0x6B
#define XPLM_VK_SUBTRACT   0x6D
#define XPLM_VK_DECIMAL    0x6E
#define XPLM_VK_DIVIDE     0x6F
#define XPLM_VK_F1         0x70
#define XPLM_VK_F2         0x71
#define XPLM_VK_F3         0x72
#define XPLM_VK_F4         0x73
#define XPLM_VK_F5         0x74
#define XPLM_VK_F6         0x75
#define XPLM_VK_F7         0x76
#define XPLM_VK_F8         0x77
#define XPLM_VK_F9         0x78
#define XPLM_VK_F10        0x79
#define XPLM_VK_F11        0x7A
#define XPLM_VK_F12        0x7B
#define XPLM_VK_EQUAL      0xB0
#define XPLM_VK_MINUS      0xB1
#define XPLM_VK_ENTER      0xBB
#define XPLM_VK_NUMPAD_ENT 0xBC

#ifdef __cplusplus
}
#endif

#endif
