// SPDX-License-Identifier: GPL-3.0-or-later
#include "speaker.hpp"

#include <algorithm>
#include <string_view>
#include <utility>

#include "calc/number_text.hpp"
#include "design/report_text.hpp"
#include "files/error_codes.hpp"
#include "files/io_error.hpp"

namespace ventbox {

namespace {

// The text EditNam holds when the window is created.
constexpr std::string_view kNameCreationText = "16F10Kolvex";

// The name a design gets at start-up, before a load or an edit of EditNam.
constexpr std::string_view kStartupDesignName = "FW208Kolvex";
constexpr std::string_view kDataFolderSuffix = "/Data/";
constexpr std::string_view kSavedMessage = "データを保存しました。";
// Without a working directory there is no path to the data folder at all.
constexpr IoCode kNoStartupDirectoryCode = kPathNotFound;

}  // namespace

TBox::TBox(Platform& platform) : platform_(platform) {
    // The creation texts are numbers the window shows, so they carry the
    // regional separator: a first start must calculate in every locale.
    for (const FieldFacts& field : kFields) {
        std::string text(field.creationText);
        std::replace(text.begin(), text.end(), '.', decimalSeparator());
        assignText(editOf(field.field), text);
    }
    assignText(Edit::Nam, std::string(kNameCreationText));
}

bool TBox::storeText(Edit edit, const std::string& text) {
    if (!assignText(edit, text)) return false;
    if (observer_) observer_->textChanged(edit);
    return true;
}

bool TBox::storeChecked(bool checked) {
    if (!assignChecked(checked)) return false;
    if (observer_) observer_->checkedChanged();
    return true;
}

void TBox::setText(Edit edit, const std::string& text) {
    if (!storeText(edit, text)) return;
    // Once the field is on screen its change notification is a message of
    // its own: the handler's error is reported there and the setter goes on.
    if (platform_.windowOnScreen()) {
        dispatch([&] { runChangeHandler(edit); });
    } else {
        runChangeHandler(edit);
    }
}

void TBox::setChecked(bool checked) {
    if (storeChecked(checked)) CheckBox1Click();
}

void TBox::userEditedText(Edit edit, const std::string& text) {
    if (storeText(edit, text)) dispatch([&] { runChangeHandler(edit); });
}

void TBox::userSetChecked(bool checked) {
    if (storeChecked(checked)) dispatch([&] { CheckBox1Click(); });
}

void TBox::userClickedButton(Button button) {
    dispatch([&] {
        switch (button) {
            case Button::Calc: BtnCalcClick(); break;
            case Button::LD: BtnLDClick(); break;
            case Button::SV: BtnSVClick(); break;
            case Button::Exit: BtnExitClick(); break;
        }
    });
}

bool TBox::userRequestedClose() {
    if (closing_) return false;
    closing_ = true;
    bool canClose = true;
    const bool completed = runDispatched([&] { FormCloseQuery(canClose); });
    closing_ = false;
    return completed && canClose;
}

std::optional<std::string> TBox::saveBeforeEnd() {
    try {
        BtnSVClick();
        return std::nullopt;
    } catch (const Error& error) {
        return reportText(error.what());
    }
}

void TBox::dispatch(const std::function<void()>& handler) { runDispatched(handler); }

bool TBox::runDispatched(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const Error& error) {
        platform_.reportError(reportText(error.what()));
        if (std::exchange(readingFailed_, false)) {
            setText(Edit::Nam, std::string(design().name));
            runDispatched([this] { Calc(); });
        }
        return false;
    }
}

void TBox::windowCreated() {
    dispatch([this] { FormCreate(); });
}

void TBox::FormCreate() {
    // An empty or missing directory would put the data folder at the root of
    // the file system, so the start-up fails instead.
    std::optional<std::string> directory = platform_.currentDirectory();
    if (!directory || directory->empty()) throw IoError(kNoStartupDirectoryCode);
    startupDirectory_ = std::move(*directory);
    record().name = kStartupDesignName;
    const std::string dataFolder = Dir(std::string(kDataFolderSuffix));
    dialogInitialDir_ = dataFolder.substr(0, dataFolder.size() - 1);
    BtnLDClick();
    Calc();
}

// The answer stays at yes: there is no way to close without saving, and a
// failed save leaves by its error before the answer matters.
void TBox::FormCloseQuery(bool& /*canClose*/) {
    BtnSVClick();
    platform_.showMessage(std::string(kSavedMessage));
}

void TBox::BtnCalcClick() { Calc(); }

void TBox::BtnLDClick() {
    std::string path;
    if (std::optional<std::string> chosen = platform_.openFile(dialogInitialDir_, dialogFileName_)) {
        dialogFileName_ = *chosen;
        path = std::move(*chosen);
    } else {
        path = designFilePath(Dir(std::string(kDataFolderSuffix)), design().name);
    }
    if (readDesignFile(path)) Calc();
}

bool TBox::readDesignFile(const std::string& path) {
    loadTargetFailed_ = false;
    try {
        return load(path);
    } catch (const Error&) {
        if (!loadTargetFailed_) readingFailed_ = true;
        throw;
    }
}

void TBox::BtnSVClick() {
    saveDesignFile(Dir(std::string(kDataFolderSuffix)), design(), checked());
}

void TBox::BtnExitClick() { platform_.requestClose(); }

void TBox::EditBL1Change() { Calc(); }
void TBox::EditBL2Change() { Calc(); }
void TBox::EditBL3Change() { Calc(); }
void TBox::EditL1Change() { Calc(); }
void TBox::EditL2Change() { Calc(); }
void TBox::EditL3Change() { Calc(); }

void TBox::EditNamChange() {
    record().name = text(Edit::Nam);
    if (calculationObserver_) calculationObserver_->designRenamed();
}

void TBox::CheckBox1Click() { Calc(); }

void TBox::Calc() {
    try {
        recalculate();
    } catch (const Error& error) {
        if (calculationObserver_) calculationObserver_->calculationFailed(reportText(error));
        throw;
    }
    if (calculationObserver_) calculationObserver_->calculated();
}

std::string TBox::Dir(const std::string& suffix) const {
    // Without a startup directory the path would be the suffix alone.
    if (startupDirectory_.empty()) throw IoError(kNoStartupDirectoryCode);
    return startupDirectory_ + suffix;
}

std::string TBox::dataFolder() const {
    return startupDirectory_.empty() ? std::string() : Dir(std::string(kDataFolderSuffix));
}

void TBox::writeLoadedText(Edit edit, const std::string& text) {
    writeForLoad([&] { setText(edit, text); });
}

void TBox::checkLoadedPipe() {
    writeForLoad([&] { setChecked(true); });
}

void TBox::captionChanged(ResultLabel label) {
    if (observer_) observer_->captionChanged(label);
}

void TBox::writeForLoad(const std::function<void()>& write) {
    try {
        write();
    } catch (const Error&) {
        loadTargetFailed_ = true;
        throw;
    }
}

void TBox::runChangeHandler(Edit edit) {
    switch (edit) {
        case Edit::BL1: EditBL1Change(); break;
        case Edit::BL2: EditBL2Change(); break;
        case Edit::BL3: EditBL3Change(); break;
        case Edit::L1: EditL1Change(); break;
        case Edit::L2: EditL2Change(); break;
        case Edit::L3: EditL3Change(); break;
        case Edit::Nam: EditNamChange(); break;
        // The driver fields count only at the next recalculation.
        case Edit::A:
        case Edit::F:
        case Edit::M:
        case Edit::Q: break;
    }
}

}  // namespace ventbox
