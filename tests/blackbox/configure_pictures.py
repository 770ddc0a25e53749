#!/usr/bin/env python3
"""The configuration dialog driven with the mouse: switching to "Set 3", ticking pictures 1 and
25 and saving stores set 3 with exactly those two pictures, whatever the previously stored set
had; a picture clicked twice (quickly or slowly) keeps its mark, a click on a check box flips
it once. Positions are the dialog's layout: client origin from the window rectangle, then the
page control, the list and its icons 75 pixels apart."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

CLIENT = (571, 296)
SAVE = (508, 32)
TAB_Y = 123
TAB_X = [53 + 86 * i for i in range(5)]  # "Set 1" .. "Set 5"
ICON_Y = 42
ICON_X0, ICON_STEP = 66, 75  # centre of picture 1, distance to the next
PAGE_RIGHT = (415, 86)       # the list's scroll bar, left of its right arrow
LAST_ICON_X = 404            # picture 25 once the list is scrolled to its end


def picture_values(on):
    """Pic_01 .. Pic_25 as the dialog writes them: 1 for the numbers in `on`, else 0."""
    return {f"Pic_{n:02d}": int(n in on) for n in range(1, 26)}


class ConfigurePictures(h.Scenario):
    def open_dialog(self, **stored):
        h.reg_load(h.product_key(**h.valid_settings(**stored)))
        process = self.start("/c")
        window = h.wait_window(cls=h.CONFIGURE_CLASS, exe=h.SCR_NAME)
        x, y, width, height = window["rect"]
        border = (width - CLIENT[0]) // 2
        self.origin = (x + border, y + height - CLIENT[1] - border)
        h.focus(window)
        return process

    def click(self, point, repeat=1):
        h.move(self.origin[0] + point[0], self.origin[1] + point[1])
        h.click(repeat=repeat)
        time.sleep(0.15)

    def picture(self, number):
        return (ICON_X0 + ICON_STEP * (number - 1), ICON_Y)

    def save_and_read(self, process):
        self.click(SAVE)
        h.wait_exit(process)
        stored = {}
        for name in ["PictureSet"] + [f"Pic_{n:02d}" for n in range(1, 26)]:
            raw = h.reg_raw(r"Software\Quillam\Tavrin", name)
            self.assertIsNotNone(raw, f"{name} was not written")
            self.assertEqual(raw["type"], 4, f"{name} is not a REG_DWORD")
            stored[name] = int.from_bytes(bytes.fromhex(raw["data"]), "little")
        return stored

    def test_set_3_with_pictures_1_and_25(self):
        process = self.open_dialog(PictureSet=1)  # set 1 stored with all 25 pictures on
        self.click((TAB_X[2], TAB_Y))
        self.click(self.picture(1))
        for _ in range(6):
            self.click(PAGE_RIGHT)
        self.click((LAST_ICON_X, ICON_Y))
        self.shot("set3_ticked")
        stored = self.save_and_read(process)
        self.assertEqual(stored, {"PictureSet": 3, **picture_values({1, 25})})

    def test_same_picture_twice_keeps_its_mark(self):
        process = self.open_dialog(PictureSet=2, **picture_values({3}))
        self.click(self.picture(3), repeat=2)  # a double-click: two clicks
        self.click(self.picture(4))
        time.sleep(0.6)                        # past the double-click time
        self.click(self.picture(4))
        icon5 = self.picture(5)
        self.click((icon5[0] - 23, icon5[1] - 9))  # picture 5's own check box
        self.shot("after_clicks")
        stored = self.save_and_read(process)
        self.assertEqual(stored, {"PictureSet": 2, **picture_values({3, 5})})


if __name__ == "__main__":
    h.main()
