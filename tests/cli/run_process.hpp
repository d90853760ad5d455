// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/temp_files.hpp"
#include "support/worked_examples.hpp"
#include "cli_command.hpp"

extern char** environ;

namespace ventbox::test {

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Where a run's standard streams come from and go, and its locale.
struct CliStreams {
    std::string input;                        // the bytes of standard input
    std::string inputPath;                    // standard input from there instead
    std::string outputPath;                   // standard output there, not captured
    std::vector<std::string> locale{"LC_ALL=C"};  // replaces every LC_* and LANG
};

// Runs ventbox-cli with the arguments in `workDir`.
inline ProcessResult runCli(const std::vector<std::string>& args, const std::string& workDir,
                            const CliStreams& streams = {}) {
    TempDir capture;
    const std::string inPath = capture.file("in");
    writeBytes(inPath, streams.input);
    const std::string outPath =
        streams.outputPath.empty() ? capture.file("out") : streams.outputPath;
    const std::string errPath = capture.file("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string& inFrom = streams.inputPath.empty() ? inPath : streams.inputPath;
    posix_spawn_file_actions_addopen(&actions, 0, inFrom.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());

    std::vector<std::string> argStrings{VENTBOX_CLI_COMMAND};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = streams.locale;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("LC_", 0) != 0 && entry.rfind("LANG", 0) != 0 &&
            entry.rfind("LOCPATH", 0) != 0) {
            envStrings.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);

    ProcessResult result;
    pid_t pid;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int wstatus = 0;
        ::waitpid(pid, &wstatus, 0);
        result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (streams.outputPath.empty()) result.out = readBytes(outPath);
    result.err = readBytes(errPath);
    return result;
}

// The example design file saved under another name, given as the file's
// bytes (code page 932).
inline std::string exampleFileNamed(const std::string& name) {
    std::string file = kExampleFile;
    file.replace(file.find(kExampleName), kExampleName.size(), name);
    return file;
}

// The last line of a text that ends with a line end.
inline std::string lastLine(const std::string& text) {
    const std::string body = text.substr(0, text.size() - (text.empty() ? 0 : 1));
    return body.substr(body.rfind('\n') == std::string::npos ? 0 : body.rfind('\n') + 1);
}

}  // namespace ventbox::test
