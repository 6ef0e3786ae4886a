#pragma once

#include <QString>

class QWidget;

namespace mervasto {

// A caption as a screen reader should say it: without its access-key mark, whether that is a
// "(&A)" after the text or an "&" inside it ("&&" stays as one "&").
QString withoutAccessKey(const QString& caption);

// Names every button and check box under `window` by its caption without the access-key mark;
// the key itself reaches screen readers as the control's shortcut.
void nameButtonsByCaption(QWidget* window);

} // namespace mervasto
