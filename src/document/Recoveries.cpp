// Recovery files: their header and checksum, the folder of them, the names
// and locks of the windows that write them, and the search for those whose
// window is gone.
#include "document/Recoveries.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <ctime>
#include <filesystem>
#include <limits>
#include <map>

#include "platform/Files.h"
#include "platform/XdgFolders.h"
#include "text/HexTexts.h"

namespace vorna {
namespace {

constexpr std::string_view kMagic = "VORNA-RECOVERY 1";
constexpr std::string_view kMagicStem = "VORNA-RECOVERY ";
constexpr std::string_view kExtension = ".recovery";
constexpr std::string_view kLockExtension = ".lock";

// A path on one header line: "%", control bytes and DEL as %XX.
std::string EscapePath(std::string_view path) {
  std::string out;
  for (const char c : path) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F || b == '%') {
      AppendPercentByte(out, b);
    } else {
      out += c;
    }
  }
  return out;
}

bool UnescapePath(std::string_view text, std::string& path) {
  path.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      path += text[i];
      continue;
    }
    unsigned value = 0;
    if (i + 2 >= text.size() ||
        std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr != text.data() + i + 3)
      return false;
    path += static_cast<char>(value);
    i += 2;
  }
  return true;
}

// Comma-separated whole numbers of type T, exactly `count` of them.
template <class T>
bool Numbers(std::string_view text, size_t count, std::vector<T>& values) {
  values.clear();
  for (size_t start = 0;;) {
    const size_t comma = std::min(text.find(',', start), text.size());
    T value{};
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + comma, value);
    if (error != std::errc() || end != text.data() + comma) return false;
    values.push_back(value);
    if (comma == text.size()) return values.size() == count;
    start = comma + 1;
  }
}

bool ValidEncoding(long long value) {
  return value >= 0 && value <= static_cast<long long>(TEncoding::EucJp);
}
bool ValidLineEnd(long long value) { return value >= 0 && value <= static_cast<long long>(TLineEnd::Cr); }

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// This process's name stem: when it started (UTC) and its id, so a window
// never takes the name of an earlier one that had the same process id.
std::string ProcessStem() {
  static const std::string stem = [] {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[64];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &utc);
    return std::string(text) + "-" + std::to_string(::getpid());
  }();
  return stem;
}

}  // namespace

std::string RecoveryFileBytes(const TRecoveryRecord& record) {
  const TUnsavedText& u = record.Unsaved;
  std::string out(kMagic);
  out += "\nfile=" + EscapePath(u.FileName);
  out += "\nuntitled=" + std::to_string(u.Untitled ? 1 : 0);
  out += "\nformat=" + std::to_string(static_cast<int>(u.Format.Encoding)) + "," +
         std::to_string(u.Format.Bom ? 1 : 0) + "," + std::to_string(static_cast<int>(u.Format.LineEnd));
  out += "\ntext=" + std::to_string(static_cast<int>(u.TextEncoding));
  out += "\ncaret=" + std::to_string(record.Caret.Y) + "," + std::to_string(record.Caret.X);
  out += "\nsaved=" + std::to_string(record.SavedAtSeconds);
  if (const auto& d = u.Disk)
    out += "\ndisk=" + std::to_string(d->Device) + "," + std::to_string(d->Inode) + "," +
           std::to_string(d->SizeBytes) + "," + std::to_string(d->ModifiedNs);
  out += "\nlength=" + std::to_string(u.Bytes.size());
  out += "\nfnv1a64=" + Hex64(Fnv1a64(u.Bytes));
  out += "\n\n";
  out += u.Bytes;
  return out;
}

bool ParseRecoveryFile(std::string_view bytes, TRecoveryRecord& record, std::string& problem) {
  const size_t headerEnd = bytes.find("\n\n");
  const size_t firstLineEnd = bytes.find('\n');
  const std::string_view first = bytes.substr(0, firstLineEnd);
  if (first != kMagic) {
    problem = first.substr(0, kMagicStem.size()) == kMagicStem
                  ? "written in a newer form (" + std::string(first.substr(kMagicStem.size())) + ")"
                  : "not a recovery file";
    return false;
  }
  if (headerEnd == std::string_view::npos) {
    problem = "cut short in its header";
    return false;
  }
  std::map<std::string, std::string, std::less<>> fields;
  for (size_t at = firstLineEnd + 1; at < headerEnd;) {
    const size_t end = bytes.find('\n', at);
    const std::string_view line = bytes.substr(at, end - at);
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      problem = "damaged header line \"" + std::string(line.substr(0, 40)) + "\"";
      return false;
    }
    fields[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
    at = end + 1;
  }
  const auto field = [&](const char* key) -> const std::string* {
    const auto found = fields.find(key);
    if (found == fields.end()) problem = std::string("no \"") + key + "\" in its header";
    return found == fields.end() ? nullptr : &found->second;
  };
  const auto bad = [&](const char* key) {
    problem = std::string("damaged \"") + key + "\" in its header";
    return false;
  };
  TRecoveryRecord parsed;
  TUnsavedText& u = parsed.Unsaved;
  std::vector<long long> n;
  const std::string *file = field("file"), *untitled = field("untitled"), *format = field("format"),
                    *text = field("text"), *caret = field("caret"), *saved = field("saved"),
                    *length = field("length"), *sum = field("fnv1a64");
  if (!file || !untitled || !format || !text || !caret || !saved || !length || !sum) return false;
  if (!UnescapePath(*file, u.FileName) || u.FileName.empty()) return bad("file");
  if (*untitled != "0" && *untitled != "1") return bad("untitled");
  u.Untitled = *untitled == "1";
  if (!Numbers(*format, 3, n) || !ValidEncoding(n[0]) || (n[1] != 0 && n[1] != 1) || !ValidLineEnd(n[2]))
    return bad("format");
  u.Format = {static_cast<TEncoding>(n[0]), n[1] == 1, static_cast<TLineEnd>(n[2])};
  if (!Numbers(*text, 1, n) || !ValidEncoding(n[0])) return bad("text");
  u.TextEncoding = static_cast<TEncoding>(n[0]);
  constexpr long long kIntMax = std::numeric_limits<int>::max();
  if (!Numbers(*caret, 2, n) || n[0] < 0 || n[1] < 1 || n[0] > kIntMax || n[1] > kIntMax) return bad("caret");
  parsed.Caret = {static_cast<int>(n[1]), static_cast<int>(n[0])};
  if (!Numbers(*saved, 1, n)) return bad("saved");
  parsed.SavedAtSeconds = n[0];
  if (const auto disk = fields.find("disk"); disk != fields.end()) {
    std::vector<unsigned long long> file;
    const size_t comma = disk->second.find(',', disk->second.find(',') + 1);
    if (comma == std::string::npos || !Numbers(std::string_view(disk->second).substr(0, comma), 2, file) ||
        !Numbers(std::string_view(disk->second).substr(comma + 1), 2, n))
      return bad("disk");
    u.Disk = TFileIdentity{file[0], file[1], n[0], n[1]};
  }
  if (!Numbers(*length, 1, n) || n[0] < 0) return bad("length");
  const std::string_view body = bytes.substr(headerEnd + 2);
  if (body.size() < static_cast<unsigned long long>(n[0])) {
    problem = "cut short: " + std::to_string(body.size()) + " of " + std::to_string(n[0]) + " bytes of text";
    return false;
  }
  if (body.size() > static_cast<unsigned long long>(n[0])) {
    problem = "longer than its header says";
    return false;
  }
  if (*sum != Hex64(Fnv1a64(body))) {
    problem = "its text does not match its checksum";
    return false;
  }
  u.Bytes = std::string(body);
  record = std::move(parsed);
  return true;
}

std::string DefaultRecoveryFolder() {
  const std::string state = ProgramStateFolder();
  return state.empty() ? state : state + "/recovery";
}

TRecoveryFolder::TRecoveryFolder(TFileService& files, std::string folder)
    : FFiles(files), FFolder(std::move(folder)) {}

TRecoveryFolder::~TRecoveryFolder() = default;

bool TRecoveryFolder::Open(std::string& problem) {
  if (FLock) return true;
  if (FFolder.empty()) {
    problem = "no home folder is known for the recovery folder";
    return false;
  }
  try {
    FFiles.EnsureFolder(FFolder);
    const std::string stem = FFolder + "/" + ProcessStem();
    for (int n = 0; n < 100; ++n) {
      const std::string path = (n == 0 ? stem : stem + "-" + std::to_string(n)) + std::string(kExtension);
      if (FFiles.PathExists(path)) continue;
      std::unique_ptr<TProcessLock> lock = TProcessLock::TryTake(path + std::string(kLockExtension));
      // Held or filled meanwhile: another window of this process, or a
      // process that had the same id earlier.
      if (!lock || FFiles.PathExists(path)) continue;
      FLock = std::move(lock);
      FPath = path;
      return true;
    }
    problem = FFolder + ": no free name for a recovery file";
  } catch (const EFileError& error) {
    problem = error.what();
  }
  return false;
}

void TRecoveryFolder::Write(const TRecoveryRecord& record) {
  if (!FLock) throw EFileError(EFileError::TKind::Create, FFolder, "the recovery folder could not be opened");
  FFiles.WriteFile(FPath, RecoveryFileBytes(record));
}

bool TRecoveryFolder::Remove() {
  if (FPath.empty() || !FFiles.PathExists(FPath)) return true;
  return FFiles.DeleteFile(FPath);
}

void TRecoveryFolder::Close() {
  if (!FLock) return;
  // Should the recovery file stay, it is offered later all the same: whoever
  // looks makes its lock file anew.
  Remove();
  FLock->RemoveFile();
  FLock.reset();
}

std::optional<TRecoveryOffer> TRecoveryFolder::Offer(const std::string& path, bool reportHeld) {
  TRecoveryOffer offer;
  offer.Path = path;
  try {
    offer.Lock = TProcessLock::TryTake(path + std::string(kLockExtension));
  } catch (const EFileError& error) {
    offer.Problem = "its lock file cannot be used (" + error.Reason + ")";
    return offer;
  }
  if (!offer.Lock) {
    if (!reportHeld) return std::nullopt;
    offer.Problem = "another window is using it";
    return offer;
  }
  std::optional<std::string> bytes;
  try {
    bytes = FFiles.ReadFileIfExists(path);
  } catch (const EFileError& error) {
    offer.Problem = "it cannot be read (" + error.Reason + ")";
    return offer;
  }
  if (!bytes) {
    // Its window closed cleanly while we looked.
    offer.Lock->RemoveFile();
    offer.Lock.reset();
    if (!reportHeld) return std::nullopt;
    offer.Problem = "no such file";
    return offer;
  }
  TRecoveryRecord record;
  if (ParseRecoveryFile(*bytes, record, offer.Problem)) offer.Record = std::move(record);
  return offer;
}

std::vector<TRecoveryOffer> TRecoveryFolder::FindOrphans() {
  std::vector<TRecoveryOffer> offers;
  std::vector<std::string> paths;
  // The file service lists no folders; the names are only looked at here.
  std::vector<std::string> locks;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(FFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    // Temporaries of an interrupted write begin with ".".
    if (name.front() == '.') continue;
    const std::string path = FFolder + "/" + name;
    if (EndsWith(name, kExtension) && path != FPath) paths.push_back(path);
    if (EndsWith(name, std::string(kExtension) + std::string(kLockExtension))) locks.push_back(path);
  }
  // The lock of a window that is gone without leaving text (killed before
  // it changed anything) would stay for good; a live window's is held.
  for (const std::string& lock : locks) {
    const std::string recovery = lock.substr(0, lock.size() - kLockExtension.size());
    if (FFiles.PathExists(recovery)) continue;
    try {
      if (std::unique_ptr<TProcessLock> stale = TProcessLock::TryTake(lock);
          stale && !FFiles.PathExists(recovery))
        stale->RemoveFile();
    } catch (const EFileError&) {
      // Left for a later start.
    }
  }
  std::sort(paths.begin(), paths.end());
  for (const std::string& path : paths)
    if (std::optional<TRecoveryOffer> offer = Offer(path, false)) offers.push_back(std::move(*offer));
  std::stable_sort(offers.begin(), offers.end(), [](const TRecoveryOffer& a, const TRecoveryOffer& b) {
    if (a.Record.has_value() != b.Record.has_value()) return a.Record.has_value();
    return a.Record && a.Record->SavedAtSeconds < b.Record->SavedAtSeconds;
  });
  return offers;
}

TRecoveryOffer TRecoveryFolder::Claim(const std::string& path) { return std::move(*Offer(path, true)); }

bool TRecoveryFolder::Discard(TRecoveryOffer& offer, std::string& problem) {
  if (FFiles.PathExists(offer.Path) && !FFiles.DeleteFile(offer.Path)) {
    problem = offer.Path + ": it cannot be deleted";
    return false;
  }
  if (offer.Lock) {
    offer.Lock->RemoveFile();
    offer.Lock.reset();
  }
  return true;
}

}  // namespace vorna
