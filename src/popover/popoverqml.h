#pragma once

#include <QUrl>

class PopoverContext;
class QQmlEngine;
class QQuickItem;

// Makes the popover's QML module usable in an engine: registers its types,
// adds the import path of its resources and installs the "symbol" image
// provider. Call once per engine before loading popoverRootViewUrl().
void installPopoverQml(QQmlEngine &engine);

// The root item of the popover's content (PopoverRootView.qml, module
// Halvoscope.Popover). Its required property is `context`.
QUrl popoverRootViewUrl();

// Creates the root item for `context` inside `parentItem` (typically a
// window's contentItem), after installPopoverQml(engine). The item is
// 280 wide and as tall as its implicitHeight; it belongs to `parentItem`.
// Returns nullptr, with the QML errors logged, when it cannot be created.
QQuickItem *createPopoverRootView(QQmlEngine &engine, PopoverContext *context,
                                  QQuickItem *parentItem);
