#pragma once
// The drawing tools of the tool bar; the value is the Tag of the tool's action.

enum TDrawTool { dtPencil, dtLine, dtRectangle, dtFilledRectangle, dtFill };
