#pragma once

#include "res/dialog_templates.h"

class QDialog;

// Lays out a dialog from its template: caption, fixed size and every control, created as
// children of `dialog` in template order (which is also the tab order), placed by
// converting the template's dialog units with the dialog font. Controls carry the
// template's object names.
void createControls(const res::DialogTemplate& dialogTemplate, QDialog* dialog);
