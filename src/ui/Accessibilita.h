#pragma once

class QComboBox;
class QLabel;
class QWidget;

namespace windara::ui {

// What a screen reader hears of the windows. Qt names a text box after the label whose
// buddy it is, a list after its current value (on Linux) and a label after its text; the
// windows' captions are separate labels, so the helpers here name each control after its
// caption instead.

// The caption is the buddy of the control, and the control's accessible name is the
// caption without its closing colon. A list gets the name on every platform, and keeps
// its current value as its value.
void NomeDaDidascalia(QLabel *didascalia, QWidget *controllo);

// A result: a read-only text named after its caption and described by its tooltip, whose
// text is the value it shows.
void RisultatoDaDidascalia(QLabel *didascalia, QLabel *risultato);

// Out of the accessibility tree: a control that only holds a value for the program and
// that the user never sees.
void FuoriDaAccessibilita(QWidget *widget);

} // namespace windara::ui
