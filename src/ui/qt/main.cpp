// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.hpp"
#include "program_end.hpp"
#include "shell.hpp"

int main(int argc, char** argv) {
    ventbox::Application application(argc, argv);
    ventbox::Shell<> shell;
    ventbox::EndSignals endSignals(shell.box, shell.window);
    // The one option: the response graph opens beside the window.
    shell.start(application.arguments().contains(QStringLiteral("--graph")));
    application.exec();
    // Besides the end signals, the program ends only through a close the
    // window agreed to.
    return 0;
}
