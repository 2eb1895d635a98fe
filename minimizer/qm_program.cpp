#include "minimizer/qm_program.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <random>

#include "minimizer/input_format.h"
#include "minimizer/minimize.h"
#include "minimizer/multi_output_program.h"

namespace qm {

using logic::Function;

namespace fs = std::filesystem;

namespace {

[[noreturn]] void failFile(const std::string& path, const std::string& problem) {
    throw InputError(path + ": " + problem);
}

std::string lowercaseFirst(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

}  // namespace

std::string readInputFile(const std::string& path) {
    std::error_code error;
    // Only regular files are read: a folder, a device or a pipe could block or never end.
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        failFile(path, "cannot open the file: no such file");
    if (error) failFile(path, "cannot open the file: " + lowercaseFirst(error.message()));
    if (fs::is_directory(status)) failFile(path, "cannot open the file: it is a folder");
    if (!fs::is_regular_file(status))
        failFile(path, "cannot open the file: it is not a regular file");
    const auto size = fs::file_size(path, error);
    if (!error && size > kMaxInputBytes) {
        failFile(path,
                 "the file is too large (more than " + std::to_string(kMaxInputBytes) + " bytes)");
    }

    std::ifstream in(path, std::ios::binary);
    if (!in) failFile(path, "cannot open the file: " + lowercaseFirst(std::strerror(errno)));
    // Read in chunks, at most one chunk past the limit, in case the file grew after its size
    // was taken; a real input is a few kilobytes.
    std::string text;
    char chunk[65536];
    while (in && text.size() <= kMaxInputBytes) {
        in.read(chunk, sizeof chunk);
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) failFile(path, "cannot read the file");
    if (text.size() > kMaxInputBytes) {
        failFile(path,
                 "the file is too large (more than " + std::to_string(kMaxInputBytes) + " bytes)");
    }
    return text;
}

void writeFileAtomically(const std::string& path, const std::string& text, RenameFile rename) {
    const fs::path target(path);
    std::error_code error;
    if (fs::is_directory(target, error)) failFile(path, "cannot write the file: it is a folder");
    if (!target.has_filename())
        failFile(path, "cannot write the file: the name is not a file name");
    // Renaming over a device or a pipe would replace it with a plain file (even /dev/null when
    // run as root); a symbolic link is replaced itself, never what it points to.
    const fs::file_status own = fs::symlink_status(target, error);
    if (!error && own.type() != fs::file_type::not_found && !fs::is_regular_file(own) &&
        !fs::is_symlink(own)) {
        failFile(path, "cannot write the file: it is not a regular file");
    }

    // A fresh temporary name next to the target, created exclusively so that no other file is
    // overwritten.
    std::random_device seed;
    std::mt19937 random(seed());
    fs::path temporary;
    std::FILE* file = nullptr;
    int lastErrno = 0;
    for (int attempt = 0; attempt < 16 && file == nullptr; ++attempt) {
        std::string name(1, '.');
        name += target.filename().string();
        name += ".tmp";
        name += std::to_string(random() % 1000000000U);
        temporary = target;
        temporary.replace_filename(name);
        errno = 0;
        file = std::fopen(temporary.string().c_str(), "wbx");
        lastErrno = errno;
        if (file == nullptr && lastErrno != EEXIST) break;
    }
    if (file == nullptr) {
        failFile(path, "cannot write the file: " +
                           lowercaseFirst(std::strerror(lastErrno != 0 ? lastErrno : EIO)));
    }

    const bool written =
        std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        fs::remove(temporary, error);
        failFile(path, "cannot write the file");
    }
    if (rename != nullptr) {
        rename(temporary, target, error);
    } else {
        fs::rename(temporary, target, error);
    }
    if (error) {
        // The clean-up has its own error code, so that the message names the rename's failure.
        std::error_code cleanup;
        fs::remove(temporary, cleanup);
        failFile(path, "cannot replace the file: " + lowercaseFirst(error.message()));
    }
}

std::chrono::milliseconds timeLimit() {
    if (const char* text = std::getenv("QM_TIME_LIMIT_MS")) {
        char* end = nullptr;
        const long long value = std::strtoll(text, &end, 10);
        // Clamped to a day, so that adding it to the clock's nanoseconds cannot overflow into a
        // deadline in the past.
        constexpr long long kLongestMs = 24LL * 60 * 60 * 1000;
        if (end != text && *end == '\0' && value >= 0)
            return std::chrono::milliseconds(std::min(value, kLongestMs));
    }
    return std::chrono::seconds(kTimeLimitSeconds);
}

std::string notProvenNote(const BestCover& best, int width, const std::string& inPath) {
    int literals = 0;
    for (const logic::Cube& cube : best.cover) literals += cube.literals(width);
    const std::string products = std::to_string(best.cover.size()) + " products";
    // Each line says exactly what is proven, so that a proven count is never doubted.
    if (best.costProven) {
        return inPath + ": a minimum cover (" + products + ", " + std::to_string(literals) +
               " literals, proven), not proven the first in the documented order";
    }
    if (best.countProven) {
        return inPath + ": not proven minimal: " + products + " (proven the fewest), " +
               std::to_string(literals) + " literals found, at least " +
               std::to_string(best.literalBound) + " needed";
    }
    return inPath + ": not proven minimal: " + products + " found, at least " +
           std::to_string(best.lowerBound) + " needed";
}

int runQm(const std::vector<std::string>& args, std::ostream& err) {
    if (!args.empty() && args[0] == "--pla")
        return runPla(std::vector<std::string>(args.begin() + 1, args.end()), std::cout, err);
    // An option in either place ("Qm.exe in.txt --explain") is a slip, not a file to write.
    for (const std::string& arg : args) {
        if (arg.starts_with("--")) {
            err << "Qm.exe: unknown option " << arg
                << "; usage: Qm.exe IN OUT or Qm.exe --explain IN\n";
            return kExitUsage;
        }
    }
    if (args.size() != 2) {
        err << "Qm.exe: usage: Qm.exe IN OUT (for example Qm.exe in.txt out.txt)\n";
        return kExitUsage;
    }
    return reportingFailures(err, [&] {
        const std::string& inPath = args[0];
        const std::string& outPath = args[1];
        const Function function = parseFunction(readInputFile(inPath), inPath);
        const Deadline deadline = std::chrono::steady_clock::now() + timeLimit();
        const BestCover best = minimizeWithin(function, deadline);
        // Even unproven, the cover is valid: the student gets an answer with an honest caveat.
        writeFileAtomically(outPath, formatCover(best.cover, function.width));
        if (best.proven) return kExitOk;
        err << "Qm.exe: " << notProvenNote(best, function.width, inPath) << '\n';
        return kExitNotProven;
    });
}

int reportingFailures(std::ostream& err, const std::function<int()>& body) {
    try {
        return body();
    } catch (const InputError& problem) {
        err << "Qm.exe: " << problem.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "Qm.exe: out of memory\n";
    } catch (const std::exception& problem) {
        err << "Qm.exe: " << problem.what() << '\n';
    }
    return kExitFailed;
}

}  // namespace qm
