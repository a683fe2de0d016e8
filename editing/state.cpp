// The one editor record, alone in its file so that code which only reads the state (the hull,
// the frame) links without the commands and their graphics calls.
#include "editing/editor.h"

EditorState editor;
