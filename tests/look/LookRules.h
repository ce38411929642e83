// What a person sees of a window, checked as they would look at it: every field has room and lies where it
// can be seen, every caption shows whole, every grid column is wide enough for its title and its state
// texts, every page of a page control shows a field, and the window fits the screen. Each finding names the
// window's control and the rule it breaks.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The screen the program is used on.
inline constexpr int ScreenWidth = 1280;
inline constexpr int ScreenHeight = 800;

// The findings of every rule for the window as it is shown now, one text each:
// "<control>: <rule> (<details>)", sorted.
QStringList LookProblems(QWidget *window);

// The window as a picture, written to the look folder as <name>.png.
void SaveLookPicture(QWidget *window, const QString &name);

// Whether a grid column's title is its field's raw name rather than a caption: the title is the field name itself
// and reads as a database identifier (capitals, digits and underscores), unless it is a word or abbreviation a
// Slovak reader knows as it stands (DPH, ABC).
bool RawFieldNameTitle(const QString &title, const QString &fieldName);

// A control named for findings: its object name, else its class and the caption or text it shows.
QString ControlName(const QWidget *control);
