#pragma once
// SDL's key, modifier and button codes in the framework's terms. Pure tables: no SDL calls.
namespace corvax {

// The virtual-key code of a key, or 0 for keys that have none. Letters and digits follow the
// keyboard layout (keycode); other keys their place on the keyboard (scancode). The keypad
// gives the cursor-key codes while num lock is off, as on Windows.
int VirtualKeyFromSdl(int scancode, int keycode, int sdlMods);

// The character Windows reports for keys that type a control character (8, 9, 13, 27), else 0.
int ControlCharacterForKey(int virtualKey);

// SDL modifier state as event mods: 1 shift, 2 control, 4 alt, 8 system key.
int ModifierBitsFromSdl(int sdlMods);

// 1 left, 2 right, 3 middle; 0 for buttons the framework does not know.
int MouseButtonFromSdl(int sdlButton);

// "MouseMove" data for SDL's held-button mask: 2 right, else 4 middle, else 1 left, else 0.
int HeldButtonDataFromSdl(unsigned buttonMask);

}  // namespace corvax
