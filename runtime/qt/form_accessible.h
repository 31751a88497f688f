#pragma once
// The form window as assistive tools see it over Qt's accessibility: the
// native controls and every painted label and picture, in reading order.
namespace mivello::qt {

// Makes Qt ask this runtime for the accessible interface of every form
// window; once per application.
void InstallFormAccessibility();

}  // namespace mivello::qt
