#pragma once
// The tool tips of the settings panel: what each control does to the exported bytes.

#include <QString>

class TSpriteEditor;

// Sets the tool tip of every control of the settings panel, and of each item of the byte
// mode, order sequence, mask arrangement and attribute lists.
void SetSettingsToolTips(TSpriteEditor& editor);
