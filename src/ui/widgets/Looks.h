#pragma once
// What the windows share in their looks: the settings' colours as Qt colours, the
// fixed-width font of formatted figures, and the tool bar icons.
#include <QColor>
#include <QFont>
#include <QIcon>
#include <cstdint>

class QLabel;
class QWidget;

class QToolButton;

namespace tovra {

// A colour of the settings record (0x00BBGGRR).
QColor settingsColour(std::int32_t value);

// The colour of headings and captions set straight on a background colour of the settings:
// black on a light one, white on a dark one.
QColor headingColourOn(std::int32_t background);

// Sets the text colour of a label or other plain widget.
void setTextColour(QWidget* w, const QColor& colour);

// The fixed-width Japanese font of the figure panels: every half-width character is one
// cell and every full-width one two, so lines formatted by byte widths line up.
QFont figureFont(int pixelSize = 12);

// Shows a one-line text whole in a fixed-width panel: in the figure font of `pixelSize`,
// smaller (down to 9 px) when it would not fit, and only past that cut with "…" and the
// whole text as the tooltip.
void setWholeText(QLabel* panel, const QString& text, int pixelSize);

// A theme icon by its freedesktop name, else the one shipped with the program
// (":/icons/<bundled>.svg").
QIcon toolIcon(const char* themeName, const char* bundled);

// One tool bar button "ToolBtn<number>" at x on a bar: hint as tooltip, 20-pixel icon, 28 × 28.
QToolButton* toolBarButton(QWidget* bar, int number, const char* hint, const char* themeName, const char* bundled,
                           int x);

// Makes the program's resources (icons, help) available; safe to call repeatedly.
void initUiResources();

// Gives a plain widget a solid background of the given colour.
void paintBackground(QWidget* w, const QColor& colour);

}  // namespace tovra
