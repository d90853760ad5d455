#include "application.hpp"
#include "box_window.hpp"
#include "qt_platform.hpp"
#include "ui/speaker.hpp"

int main(int argc, char** argv) {
    ventbox::Application application(argc, argv);
    ventbox::QtPlatform platform;
    ventbox::TBox box(platform);
    ventbox::BoxWindow window(box);
    platform.setWindow(&window);
    ventbox::startUp(application, box, window);
    application.exec();
    // The program ends only through a close the window agreed to.
    return 0;
}
