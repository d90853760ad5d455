// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "calc/design.hpp"
#include "design/design_form.hpp"

namespace ventbox {


// The buttons of the command panel.
enum class Button { Calc, LD, SV, Exit };

// What the window needs from the platform, and nothing more.
class Platform {
public:
    virtual ~Platform() = default;
    // The process working directory; nullopt when it cannot be had.
    virtual std::optional<std::string> currentDirectory() = 0;
    // The modal file-open dialog: the chosen path, or nullopt when it was
    // cancelled, closed or failed.
    virtual std::optional<std::string> openFile(const std::string& initialDir,
                                                const std::string& fileName) = 0;
    // The top-level error report, given the text to show as it stands.
    virtual void reportError(const std::string& text) = 0;
    // The modal message dialog.
    virtual void showMessage(const std::string& text) = 0;
    // Whether the window has been shown on screen.
    virtual bool windowOnScreen() const = 0;
    // Asks the window to close; the platform answers with a close request.
    virtual void requestClose() = 0;
};

// Told of every change of a control's state, so that a view can mirror it
// without running any handler.
class TBoxObserver {
public:
    virtual ~TBoxObserver() = default;
    virtual void textChanged(Edit edit) = 0;
    virtual void checkedChanged() = 0;
    virtual void captionChanged(ResultLabel label) = 0;
};

// Told when a recalculation ends, so that a view of the results beside the
// window's labels can follow them, and when the design's name changes.
class CalculationObserver {
public:
    virtual ~CalculationObserver() = default;
    virtual void calculated() = 0;
    // The report of the error that ended it.
    virtual void calculationFailed(const std::string& report) = 0;
    virtual void designRenamed() = 0;
};

// The main window `Box` without a toolkit: the state of its controls, its
// event handlers and the rules by which changes run them.
class TBox : private DesignForm {
public:
    explicit TBox(Platform& platform);
    void setObserver(TBoxObserver* observer) { observer_ = observer; }
    void setCalculationObserver(CalculationObserver* observer) { calculationObserver_ = observer; }

    // Control state as the window shows it.
    using DesignForm::caption;
    using DesignForm::checked;
    using DesignForm::design;
    using DesignForm::results;
    using DesignForm::text;
    const std::string& startupDirectory() const { return startupDirectory_; }
    const std::string& dialogInitialDir() const { return dialogInitialDir_; }
    const std::string& dialogFileName() const { return dialogFileName_; }
    // The folder of the design files, with its trailing separator; empty
    // until the start-up sequence knows the startup directory.
    std::string dataFolder() const;

    // Changes made by code: nothing happens when the state stays the same;
    // otherwise the control's handler runs at once.
    void setText(Edit edit, const std::string& text);
    void setChecked(bool checked);

    // Events from the platform and the user. Each runs as a dispatched
    // event: an error it raises is reported and the window goes on. A text
    // or state that does not change what the control holds runs no handler.
    void windowCreated();  // runs the start-up sequence
    void userEditedText(Edit edit, const std::string& text);
    void userSetChecked(bool checked);
    void userClickedButton(Button button);
    // A close request (the exit button, the title bar, Alt+F4, the end of the
    // session); returns whether the window may close. A request that arrives
    // while another one is still running (its dialogs keep events flowing)
    // is refused: the first one decides.
    bool userRequestedClose();
    bool closeRunning() const { return closing_; }
    // The save of a close without its message dialog, for an end of the
    // program that cannot wait for the user: nullopt when the design was
    // saved, otherwise the text that reports the failure.
    std::optional<std::string> saveBeforeEnd();

private:
    // Runs an event handler as the platform's message dispatch does.
    void dispatch(const std::function<void()>& handler);
    // Holds a control's new state and tells the observer; false when the
    // control holds it already, and nothing is to run.
    bool storeText(Edit edit, const std::string& text);
    bool storeChecked(bool checked);

    // Event handlers, run by the events above.
    void FormCreate();
    void FormCloseQuery(bool& canClose);
    void BtnCalcClick();
    void BtnLDClick();
    void BtnSVClick();
    void BtnExitClick();
    void EditBL1Change();
    void EditBL2Change();
    void EditBL3Change();
    void EditL1Change();
    void EditL2Change();
    void EditL3Change();
    void EditNamChange();
    void CheckBox1Click();

    void Calc();
    // The startup directory followed by the suffix; throws IoError while no
    // startup directory is known, rather than give the suffix alone.
    std::string Dir(const std::string& suffix) const;

    // DesignForm: a load's writes run the change rules; label texts reach the view.
    void writeLoadedText(Edit edit, const std::string& text) override;
    void checkLoadedPipe() override;
    void captionChanged(ResultLabel label) override;

    void runChangeHandler(Edit edit);
    // Runs a handler as dispatch does; false when it ended in a reported error.
    bool runDispatched(const std::function<void()>& handler);
    // Reads a design file. A failure of the reading itself (not of a
    // recalculation the load ran) leaves values stored that the fields do
    // not show, and may come before the name line, with EditNam showing
    // another name than the one the next save writes: once the error has
    // been reported, EditNam shows the design name and a recalculation
    // brings the record back to the fields.
    bool readDesignFile(const std::string& path);
    // A write of the load whose handler failed: that error is the handler's,
    // not the reading's.
    void writeForLoad(const std::function<void()>& write);

    Platform& platform_;
    TBoxObserver* observer_ = nullptr;
    CalculationObserver* calculationObserver_ = nullptr;
    std::string startupDirectory_;
    std::string dialogInitialDir_;
    std::string dialogFileName_;
    bool closing_ = false;
    bool loadTargetFailed_ = false;
    bool readingFailed_ = false;
};

}  // namespace ventbox
