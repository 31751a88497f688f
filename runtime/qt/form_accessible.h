#pragma once
// The form window as assistive tools see it over Qt's accessibility: the
// native controls and every painted label and picture, in reading order.
namespace mivello::qt {

class FormWindow;

// Makes Qt ask this runtime for the accessible interface of every form
// window; for each application made.
void InstallFormAccessibility();

// The window is going away: its interface goes first, while the window is
// still whole. What Qt asks after that (as it takes the widget apart) gets
// Qt's plain interface of a widget.
void ForgetFormAccessible(FormWindow* window);

}  // namespace mivello::qt
