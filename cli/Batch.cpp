#include "cli/Batch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <ostream>
#include <set>
#include <system_error>
#include <thread>

#include "cli/BatchFiles.h"
#include "cli/Cli.h"
#include "cli/Interrupt.h"
#include "formats/ImageFiles.h"

using Clock = std::chrono::steady_clock;

namespace {

// One input with its output, or the reason it is refused before any work.
struct PlannedFile {
    std::string input;
    std::string output;
    std::string refusal;
};

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

std::vector<PlannedFile> Plan(const BatchJob& job) {
    std::vector<PlannedFile> plan;
    std::set<std::string> outputs;
    for (const std::string& input : job.inputs) {
        PlannedFile file{input, OutputPathOf(job, input), ""};
        if (!outputs.insert(file.output).second)
            file.refusal = "its output " + Quoted(file.output) + " is an earlier file's too";
        else if (batchfiles::SameFile(input, file.output))
            file.refusal = "the output would replace the input";
        else if (batchfiles::Exists(file.output) && !job.overwrite)
            file.refusal = Quoted(file.output) + " exists (--overwrite replaces it)";
        plan.push_back(std::move(file));
    }
    return plan;
}

std::string Minutes(double seconds) {
    const long whole = long(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

// Counts the finished files and shows them: on a terminal one line rewritten
// in place (done/total, elapsed, time left), elsewhere nothing until the
// summary. Failures are printed as they come, above the progress line.
class Progress {
  public:
    Progress(std::ostream& err, bool terminal, size_t total)
        : err_(err), terminal_(terminal), total_(total), start_(Clock::now()) {}

    void Finished(const std::string& failure) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++done_;
        if (!failure.empty()) {
            ++failed_;
            ClearLine();
            err_ << "iromaki-cli: " << failure << '\n';
        }
        Draw();
        changed_.notify_all();
    }

    // Redraws now and then until count files have finished or a signal came.
    void WaitFor(size_t count) {
        std::unique_lock<std::mutex> lock(mutex_);
        while (done_ < count && !InterruptWatch::Signal()) {
            changed_.wait_for(lock, std::chrono::milliseconds(200));
            Draw();
        }
    }

    void Summary(int signal) {
        std::lock_guard<std::mutex> lock(mutex_);
        ClearLine();
        err_ << "iromaki-cli: " << (signal ? "interrupted: " : "") << done_ - failed_ << " of "
             << total_ << " files written, " << failed_ << " failed";
        if (done_ < total_) err_ << ", " << total_ - done_ << " not started";
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, ", %.1f s\n", Elapsed());
        err_ << seconds << std::flush;
    }

    bool AllWritten() {
        std::lock_guard<std::mutex> lock(mutex_);
        return failed_ == 0 && done_ == total_;
    }

  private:
    double Elapsed() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

    void Draw() {
        if (!terminal_) return;
        const double elapsed = Elapsed();
        std::string line = std::to_string(done_) + "/" + std::to_string(total_) + " files, " +
                           Minutes(elapsed) + " elapsed";
        if (done_ > 0)
            line += ", " + Minutes(elapsed * double(total_ - done_) / double(done_)) + " left";
        const size_t width = line.size();
        line.resize(std::max(width, shown_), ' '); // covers a longer line before
        err_ << '\r' << line << std::flush;
        shown_ = width;
    }

    void ClearLine() {
        if (!terminal_ || shown_ == 0) return;
        err_ << '\r' << std::string(shown_, ' ') << '\r';
        shown_ = 0;
    }

    std::ostream& err_;
    const bool terminal_;
    const size_t total_;
    const Clock::time_point start_;
    std::mutex mutex_;
    std::condition_variable changed_;
    size_t done_ = 0, failed_ = 0, shown_ = 0;
};

unsigned WorkerCount(const BatchJob& job, size_t files) {
    unsigned count = job.workers ? job.workers : std::thread::hardware_concurrency();
    count = std::max(count, 1u);
    return unsigned(std::min<size_t>(count, std::max<size_t>(files, 1)));
}

} // namespace

std::string OutputPathOf(const BatchJob& job, const std::string& input) {
    std::string name = input.substr(batchfiles::NameStart(input));
    const ImageFileKind* kind = KindOfFile(input.c_str());
    std::string extension = job.extension;
    if (extension.empty() && kind && !kind->write) extension = ImageFileKinds().front().extension;
    const size_t dot = name.rfind('.'); // never a byte of a double-byte character
    if (!extension.empty()) name = name.substr(0, dot) + extension;
    const std::string& folder = job.outFolder;
    const bool separated = batchfiles::NameStart(folder) == folder.size(); // ends in a separator
    return folder + (separated ? "" : "/") + name;
}

int RunBatch(const Recipe& recipe, const BatchJob& job, std::ostream& err, bool errIsTerminal) {
    if (!batchfiles::MakeFolder(job.outFolder)) {
        err << "iromaki-cli: cannot make the output folder " << Quoted(job.outFolder) << '\n';
        return cli::kFailed;
    }
    const std::vector<PlannedFile> plan = Plan(job);
    const InterruptWatch watch;
    Progress progress(err, errIsTerminal, plan.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        // A signal stops the taking of new files; those under way are finished.
        while (!InterruptWatch::Signal()) {
            const size_t k = next++;
            if (k >= plan.size()) return;
            const PlannedFile& file = plan[k];
            progress.Finished(file.refusal.empty() ? ProcessFile(recipe, file.input, file.output)
                                                   : Quoted(file.input) + ": " + file.refusal);
        }
    };
    std::vector<std::thread> workers;
    for (unsigned k = WorkerCount(job, plan.size()); k > 0; --k) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) { // go on with the workers there are
            break;
        }
    }
    if (workers.empty()) work();
    progress.WaitFor(plan.size());
    for (std::thread& worker : workers)
        worker.join();
    const int signal = InterruptWatch::Signal();
    progress.Summary(signal);
    if (signal) return 128 + signal;
    return progress.AllWritten() ? cli::kDone : cli::kFailed;
}
