#pragma once
// The small widgets the windows make alike: links (flat, underlined buttons that grow
// while the pointer is over them, with the window's style) and captions.

#include <QLabel>
#include <QPushButton>

namespace brivane::ui {

QPushButton* MakeLink(QWidget* aParent, const char* aObjectName);

// A bold label a quarter larger than the window's text.
QLabel* MakeCaption(QWidget* aParent, const char* aObjectName);

} // namespace brivane::ui
