// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.hpp"
#include "box_window.hpp"
#include "program_end.hpp"
#include "qt_platform.hpp"
#include "ui/speaker.hpp"

int main(int argc, char** argv) {
    ventbox::Application application(argc, argv);
    ventbox::QtPlatform platform;
    ventbox::TBox box(platform);
    ventbox::BoxWindow window(box);
    platform.setWindow(&window);
    ventbox::EndSignals endSignals(box, window);
    ventbox::startUp(application, box, window);
    application.exec();
    // Besides the end signals, the program ends only through a close the
    // window agreed to.
    return 0;
}
