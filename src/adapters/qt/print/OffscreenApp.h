#pragma once
// tovra-cli draws prints and charts without a display. Both need a Qt application: one
// QApplication (not a mere QGuiApplication, since the charts are widgets) on the offscreen
// platform, made on first need on the main thread and kept until the process ends
// (destroying it among the static objects is not safe). Nothing when one exists already.
namespace tovra {

void ensureOffscreenApplication();

}  // namespace tovra
