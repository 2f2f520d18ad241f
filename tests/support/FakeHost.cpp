#include "tests/support/FakeHost.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "formats/PackedDib.h"

FakeHost::WindowRun FakeHost::Cancelled() {
    WindowRun run;
    run.result.kernel.divisor = 9999.0;
    run.result.conversion.result = 2;
    return run;
}

FakeHost::WindowRun FakeHost::Executes(std::function<void(CImage&)> apply) {
    WindowRun run = Cancelled();
    run.apply = std::move(apply);
    return run;
}

FakeHost::WindowRun FakeHost::Kernel(const FilterKernel& kernel) {
    WindowRun run = Cancelled();
    run.result.kernel = kernel;
    return run;
}

FakeHost::WindowRun FakeHost::Conversion(const double m[12], int32_t result) {
    WindowRun run = Cancelled();
    for (int i = 0; i < 12; ++i)
        run.result.conversion.m[i] = m[i];
    run.result.conversion.result = result;
    return run;
}

std::string FakeHost::TakeEnding() {
    std::string ending;
    for (const std::string& entry : log) {
        if (entry != "repaint" && entry != "relayout") continue;
        if (!ending.empty()) ending += "+";
        ending += entry;
    }
    log.clear();
    return ending;
}

bool FakeHost::AskOkCancel(const char* text, const char* caption) {
    questions.push_back({text, caption});
    if (okCancelAnswers.empty()) return true;
    bool answer = okCancelAnswers.front();
    okCancelAnswers.pop_front();
    return answer;
}

void FakeHost::ShowMessage(const char* text, const char* caption) {
    messages.push_back({text, caption});
}

bool FakeHost::ChooseOpenFile(std::string& path) {
    openDialogPaths.push_back(path);
    if (openChoices.empty()) return false;
    path = openChoices.front().path;
    openChoices.pop_front();
    return true;
}

bool FakeHost::ChooseSaveFile(std::string& path, int& filterIndex) {
    saveDialogStarts.push_back({path, filterIndex});
    if (saveChoices.empty()) return false;
    path = saveChoices.front().path;
    filterIndex = saveChoices.front().filterIndex;
    saveChoices.pop_front();
    return true;
}

bool FakeHost::FileExists(const char* path) {
    if (fileExists) return fileExists(path);
    std::error_code error;
    return std::filesystem::exists(path, error);
}

void FakeHost::SetTitle(const char* text) {
    titles.push_back(text);
    log.push_back(std::string("title:") + text);
}

void FakeHost::RelayoutView() {
    log.push_back("relayout");
}

void FakeHost::RepaintAll() {
    log.push_back("repaint");
}

ParameterWindowResult FakeHost::RunParameterWindow(ParameterWindow window) {
    windowsRun.push_back(window);
    WindowRun run = Cancelled();
    if (!windowRuns.empty()) {
        run = std::move(windowRuns.front());
        windowRuns.pop_front();
    }
    if (run.apply && document) {
        document->TakeUndoCopy();
        run.apply(document->Current());
        run.result.executed = true;
    }
    return run.result;
}

void FakeHost::CheckRadioItem(int firstCommand, int lastCommand, int command) {
    radioChecks.push_back({firstCommand, lastCommand, command});
}

bool FakeHost::ClipboardHasBitmap() {
    ++clipboardQueries;
    return !clipboard.empty();
}

void FakeHost::OpenAuthorPage() {
    ++authorPageOpens;
}

void FakeHost::CloseMainWindow() {
    ++closeRequests;
}

void FakeHost::CopyToClipboard(const CImage& image) {
    std::vector<uint8_t> packed;
    if (EncodePackedDib(image, packed)) clipboard = std::move(packed);
}

bool FakeHost::PasteFromClipboard(CImage& image) {
    return !clipboard.empty() && DecodePackedDib(image, clipboard.data(), clipboard.size());
}
