"""The program's source against docs/system_constants.txt: a name of a later Windows than the
32-bit program's oldest targets (Windows 95, NT 4.0), or of common controls later than Internet
Explorer 4's, may be used in src/ only when the record lists it with what the program does
without it; and every name the record lists is still used."""
import os
import re
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
RECORD = os.path.join(ROOT, "docs", "system_constants.txt")

# Names Windows 95 and NT 4.0 (with comctl32.dll 4.71) do not have, by kind; a trailing * stands
# for every name with that start.
LATER_NAMES = """
    HWND_MESSAGE
    WS_EX_LAYERED WS_EX_NOACTIVATE WS_EX_COMPOSITED WS_EX_LAYOUTRTL WS_EX_NOINHERITLAYOUT WS_EX_NOREDIRECTIONBITMAP
    CS_DROPSHADOW SW_FORCEMINIMIZE
    SM_XVIRTUALSCREEN SM_YVIRTUALSCREEN SM_CXVIRTUALSCREEN SM_CYVIRTUALSCREEN SM_CMONITORS SM_SAMEDISPLAYFORMAT
    SM_IMMENABLED SM_CXFOCUSBORDER SM_CYFOCUSBORDER SM_REMOTESESSION SM_CXPADDEDBORDER SM_TABLETPC SM_MEDIACENTER
    SPI_SCREENSAVERRUNNING SPI_SETSCREENSAVERRUNNING SPI_GETSCREENSAVERRUNNING SPI_GETFOREGROUNDLOCKTIMEOUT
    SPI_SETFOREGROUNDLOCKTIMEOUT SPI_GETMOUSEHOVERWIDTH SPI_GETMOUSEHOVERHEIGHT SPI_GETMOUSEHOVERTIME
    SPI_GETACTIVEWINDOWTRACKING SPI_GETMENUANIMATION SPI_GETCOMBOBOXANIMATION SPI_GETGRADIENTCAPTIONS
    SPI_GETKEYBOARDCUES SPI_GETHOTTRACKING SPI_GETSELECTIONFADE SPI_GETTOOLTIPANIMATION SPI_GETCURSORSHADOW
    SPI_GETFONTSMOOTHINGTYPE SPI_GETFOCUSBORDERWIDTH SPI_GETMOUSEWHEELROUTING SPI_GETSCREENSAVESECURE
    WM_XBUTTONDOWN WM_XBUTTONUP WM_XBUTTONDBLCLK WM_NCXBUTTONDOWN WM_NCXBUTTONUP WM_NCMOUSEHOVER WM_NCMOUSELEAVE
    WM_MOUSEHWHEEL WM_APPCOMMAND WM_CHANGEUISTATE WM_UPDATEUISTATE WM_QUERYUISTATE WM_UNICHAR WM_INPUT
    WM_THEMECHANGED WM_WTSSESSION_CHANGE WM_DPICHANGED WM_GETOBJECT WM_MENURBUTTONUP WM_DWMCOMPOSITIONCHANGED
    IDC_HAND CAPTUREBLT NOMIRRORBITMAP HALFTONE LAYOUT_RTL AC_SRC_ALPHA GRADIENT_FILL_* DI_NOMIRROR
    COLOR_HOTLIGHT COLOR_GRADIENTACTIVECAPTION COLOR_GRADIENTINACTIVECAPTION COLOR_MENUHILIGHT COLOR_MENUBAR
    ASFW_ANY LSFW_LOCK LSFW_UNLOCK BSF_ALLOWSFW BSF_RETURNHDESK BSF_LUID
    GA_PARENT GA_ROOT GA_ROOTOWNER MONITOR_DEFAULTTO* MONITORINFO* LWA_* ULW_* PW_CLIENTONLY
    GR_GDIOBJECTS GR_USEROBJECTS CF_DIBV5 MB_SERVICE_NOTIFICATION
    DPI_AWARENESS_CONTEXT_* PROCESS_DPI_UNAWARE PROCESS_SYSTEM_DPI_AWARE PROCESS_PER_MONITOR_DPI_AWARE MDT_*
    UDM_SETPOS32 UDM_GETPOS32 TTM_SETTITLE* TTM_POPUP TTM_GETBUBBLESIZE TTM_ADJUSTRECT TTS_BALLOON TTS_CLOSE
    TTTOOLINFOA_V3_SIZE TTTOOLINFOW_V3_SIZE ICC_STANDARD_CLASSES ICC_LINK_CLASS ICC_NATIVEFNTCTL_CLASS
    LVS_EX_LABELTIP LVS_EX_BORDERSELECT LVS_EX_DOUBLEBUFFER LVS_EX_HIDELABELS LVS_EX_SINGLEROW
    LVS_EX_SNAPTOGRID LVS_EX_SIMPLESELECT LVS_EX_JUSTIFYCOLUMNS LVS_EX_TRANSPARENTBKGND LVS_EX_AUTOCHECKSELECT
    LVS_EX_AUTOSIZECOLUMNS LVS_EX_COLUMNSNAPPOINTS LVS_EX_HEADERINALLVIEWS LVM_SETVIEW LVM_ENABLEGROUPVIEW
    LVM_SETSELECTEDCOLUMN LVM_SETTILEVIEWINFO LVM_SETINFOTIP LVM_SETOUTLINECOLOR TCM_SETEXTENDEDSTYLE_V6
""".split()


def recorded():
    with open(RECORD, encoding="utf-8") as handle:
        return {line.split()[0] for line in handle if line.strip() and not line.startswith("#")}


def source_text():
    texts = []
    for folder, _, files in os.walk(os.path.join(ROOT, "src")):
        for name in files:
            if name.endswith((".cpp", ".h")):
                with open(os.path.join(folder, name), encoding="utf-8") as handle:
                    # Comments may name a later system's feature; only code passes it on.
                    code = re.sub(r"//[^\n]*", "", handle.read())
                    texts.append(code)
    return "\n".join(texts)


def used_names(text, names):
    """The names (or names with a listed start) that occur in the text as whole words."""
    found = set()
    for name in names:
        pattern = re.escape(name.rstrip("*")) + (r"\w*" if name.endswith("*") else r"\b")
        found.update(re.findall(r"\b" + pattern, text))
    return found


class SystemConstants(unittest.TestCase):
    def test_every_later_name_in_the_source_is_recorded(self):
        missing = sorted(used_names(source_text(), LATER_NAMES) - recorded())
        self.assertEqual(missing, [], f"src/ uses names of a later Windows that {os.path.basename(RECORD)} "
                                      "does not list with what the program does without them")

    def test_every_recorded_name_is_used(self):
        unused = sorted(recorded() - used_names(source_text(), recorded()))
        self.assertEqual(unused, [], f"{os.path.basename(RECORD)} lists names src/ no longer uses")


if __name__ == "__main__":
    unittest.main()
