// What every file dialog of the program shares, whoever opens it.
#pragma once

class QFileDialog;

// Shows the folder as the detail view: Qt's accessibility of the dialog's
// other view, the plain list, counts the rows of the model's top folder
// instead of the folder shown, so a screen reader walking it asks for cells
// that are not there (warnings on stderr, wrong counts read out). The list,
// hidden in the detail view, is then offered to screen readers as a plain
// widget; the detail view's tree reads the folder shown.
void PrepareFileDialog(QFileDialog& dialog);
