#include "startup/session/kept_games.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "startup/session/recording_file.h"
#include "startup/session/session_recorder.h"

namespace hero {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPastGames = "past-games";
constexpr const char* kSessions = "sessions";

std::string read_whole(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// "2026-12-09-081530" for now, in local time.
std::string stamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d-%H%M%S", &local);
  return text;
}

constexpr const char* kUnfinished = "unfinished-game.trace";
constexpr const char* kAssisted = ", below full speed";

std::string heading(char game, int score, bool finished, bool assisted) {
  std::string text = std::string("# Game ") + game + ", score " + std::to_string(score);
  if (!finished) text += " so far, unfinished";
  if (assisted) text += kAssisted;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char when[32];
  std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
  return text + ", kept " + when + "\n";
}

// The game and score of a kept file's heading ("# Game A, score 312, ...").
std::optional<KeptGame> read_heading(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  if (!in || !std::getline(in, line)) return std::nullopt;
  const std::string start = "# Game ";
  if (line.rfind(start, 0) != 0 || line.size() < start.size() + 1) return std::nullopt;
  KeptGame kept;
  kept.file = file;
  kept.game = line[start.size()];
  if (kept.game != 'A' && kept.game != 'B') return std::nullopt;
  const std::string score = ", score ";
  const auto at = line.find(score);
  if (at == std::string::npos) return std::nullopt;
  const char* first = line.data() + at + score.size();
  const auto [end, error] = std::from_chars(first, line.data() + line.size(), kept.score);
  if (error != std::errc() || end == first) return std::nullopt;
  kept.assisted = line.find(kAssisted) != std::string::npos;
  return kept;
}

// The game and score of the last show noted in a session, when it shows a
// game under way ("show # t=... mode=5 score=12 ...").
std::optional<KeptGame> game_under_way_at_end(const std::string& session) {
  const std::string noted = "\nshow # ";
  const auto at = session.rfind(noted);
  if (at == std::string::npos) return std::nullopt;
  const std::string line = session.substr(at + noted.size(), session.find('\n', at + 1) - at - noted.size());
  const auto field = [&line](const std::string& name) -> std::optional<int> {
    const auto where = line.find(" " + name + "=");
    if (where == std::string::npos) return std::nullopt;
    int value = 0;
    const char* first = line.data() + where + name.size() + 2;
    const auto [end, error] = std::from_chars(first, line.data() + line.size(), value);
    if (error != std::errc() || end == first) return std::nullopt;
    return value;
  };
  const std::optional<int> mode = field("mode");
  const std::optional<int> score = field("score");
  if (!mode || !score || (*mode != mode_game_a && *mode != mode_game_b)) return std::nullopt;
  KeptGame kept;
  kept.game = *mode == mode_game_a ? 'A' : 'B';
  kept.score = *score;
  return kept;
}

// Whether a session ever started a game.
bool holds_a_game(const std::string& session) {
  return session.find("\npress game_a\n") != std::string::npos ||
         session.find("\npress game_b\n") != std::string::npos;
}

bool running(pid_t pid) { return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM); }

}  // namespace

KeptGames::KeptGames(fs::path folder) : folder_(std::move(folder)) {}

fs::path KeptGames::best_file(char game, bool assisted) const {
  return folder_ /
         (std::string(game == 'B' ? "best-game-b" : "best-game-a") + (assisted ? "-assist" : "") + ".trace");
}

std::unique_ptr<std::ostream> KeptGames::open_session(fs::path& path, std::string& error) {
  std::error_code ec;
  fs::create_directories(folder_ / kSessions, ec);
  if (ec) {
    error = "cannot make the folder " + (folder_ / kSessions).string() + ": " + ec.message();
    return nullptr;
  }
  const std::string pid = std::to_string(::getpid());
  for (int n = 1; n <= 100; ++n) {
    path = folder_ / kSessions / ("session-" + pid + (n > 1 ? "-" + std::to_string(n) : "") + ".trace");
    std::string refused;
    if (auto out = create_recording(path.string(), refused)) return out;
    error = refused;
  }
  return nullptr;
}

void KeptGames::write_whole(const fs::path& file, const std::string& content) const {
  // Beside its place, under a name of this copy's own; moved there whole.
  const fs::path part =
      file.parent_path() / ("." + file.filename().string() + ".new-" + std::to_string(::getpid()));
  ::unlink(part.c_str());
  const int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot write " + part.string() + ": " + std::strerror(errno));
  std::size_t written = 0;
  bool ok = true;
  while (ok && written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) written += static_cast<std::size_t>(n);
  }
  const int saved = errno;
  ok = ok && ::fsync(fd) == 0;
  ::close(fd);
  if (!ok || ::rename(part.c_str(), file.c_str()) != 0) {
    const std::string why = std::strerror(ok ? errno : saved);
    ::unlink(part.c_str());
    throw std::runtime_error("cannot write " + file.string() + ": " + why);
  }
  const int folder = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

fs::path KeptGames::past_game_name(const std::string& stem) const {
  // The moment and a number within it, so that the names sort as the games
  // were kept.
  const std::string now = stamp();
  int within = 0;
  for (const fs::path& game : past_games())
    if (game.filename().string().rfind(now, 0) == 0) ++within;
  char number[16];
  std::snprintf(number, sizeof number, "%02d", within);
  return folder_ / kPastGames / (now + "-" + number + "-" + stem + ".trace");
}

fs::path KeptGames::unfinished_file() const { return folder_ / kUnfinished; }

void KeptGames::keep(const fs::path& source, char game, int score, bool best, bool finished, bool assisted) {
  const std::string content = heading(game, score, finished, assisted) + read_whole(source);
  fs::create_directories(folder_ / kPastGames);
  const std::string kind = std::string("game-") + static_cast<char>(game == 'B' ? 'b' : 'a');
  write_whole(past_game_name(kind + "-" + std::to_string(score) + (assisted ? "-assist" : "") +
                             (finished ? "" : "-unfinished")),
              content);
  prune_past_games();
  if (best) write_whole(best_file(game, assisted), content);
  if (!finished) write_whole(unfinished_file(), content);
}

std::optional<KeptGame> KeptGames::unfinished() const { return read_heading(unfinished_file()); }

void KeptGames::drop_unfinished() {
  std::error_code ec;
  fs::remove(unfinished_file(), ec);
}

void KeptGames::retire_best() {
  std::error_code ec;
  fs::create_directories(folder_ / kPastGames, ec);
  for (const char game : {'A', 'B'}) {
    const fs::path file = best_file(game);
    if (!fs::is_regular_file(file, ec)) continue;
    const std::optional<KeptGame> kept = read_heading(file);
    const std::string score = kept ? "-" + std::to_string(kept->score) : "";
    const std::string kind = std::string("former-best-game-") + static_cast<char>(game == 'B' ? 'b' : 'a');
    fs::rename(file, past_game_name(kind + score), ec);
  }
}

std::optional<KeptGame> KeptGames::best(char game, bool assisted) const {
  return read_heading(best_file(game, assisted));
}

std::vector<fs::path> KeptGames::past_games() const {
  std::vector<fs::path> games;
  std::error_code ec;
  for (fs::directory_iterator it(folder_ / kPastGames, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& p = it->path();
    if (p.extension() == ".trace" && p.filename().string().front() != '.' && it->is_regular_file(ec))
      games.push_back(p);
  }
  // The names begin with the moment they were kept.
  std::sort(games.begin(), games.end());
  return games;
}

void KeptGames::prune_past_games() const {
  std::vector<fs::path> games = past_games();
  std::error_code ec;
  for (std::size_t i = 0; i + kPastGamesKept < games.size(); ++i) fs::remove(games[i], ec);
}

void KeptGames::gather_left_sessions() {
  std::error_code ec;
  std::vector<fs::path> left;
  for (fs::directory_iterator it(folder_ / kSessions, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind("session-", 0) != 0 || it->path().extension() != ".trace") continue;
    int pid = 0;
    std::from_chars(name.data() + 8, name.data() + name.size(), pid);
    if (pid == ::getpid() || running(pid)) continue;
    left.push_back(it->path());
  }
  // The last session left decides the game left unfinished.
  std::sort(left.begin(), left.end(), [](const fs::path& a, const fs::path& b) {
    std::error_code ignored;
    return fs::last_write_time(a, ignored) < fs::last_write_time(b, ignored);
  });
  for (const fs::path& session : left) {
    try {
      const std::string content = read_whole(session);
      if (holds_a_game(content)) {
        fs::create_directories(folder_ / kPastGames);
        write_whole(past_game_name("unfinished"), "# A session that ended without its end step\n" + content);
        prune_past_games();
        // Up to its last whole line: a kill loses at most the event it cut.
        const std::string whole_lines = content.substr(0, content.rfind('\n') + 1);
        if (const std::optional<KeptGame> left_in = game_under_way_at_end(whole_lines))
          write_whole(unfinished_file(), heading(left_in->game, left_in->score, false, false) + whole_lines);
      }
      fs::remove(session, ec);
    } catch (const std::exception&) {
      // Left where it is for the next start.
    }
  }
}

// ---- The tap -----------------------------------------------------------------

KeepingTap::KeepingTap(SessionRecorder& recorder, KeptGames& games, fs::path source,
                       std::function<bool()> assisted)
    : recorder_(recorder), games_(games), source_(std::move(source)), assisted_(std::move(assisted)) {}

EngineServices KeepingTap::wire(const EngineServices& window_services) {
  return recorder_.wire(window_services);
}

void KeepingTap::start(Engine& engine) {
  recorder_.start(engine);
  engine_ = &engine;
}

void KeepingTap::timer_expiring(TimerId id, SteadyTime due) {
  before_event();
  recorder_.timer_expiring(id, due);
}

void KeepingTap::timer_expired(TimerId id) {
  recorder_.timer_expired(id);
  after_event();
}

bool KeepingTap::control_arriving(Control control, bool down) {
  before_event();
  return recorder_.control_arriving(control, down);
}

void KeepingTap::control_done(Control control, bool down) {
  recorder_.control_done(control, down);
  after_event();
}

void KeepingTap::before_event() {
  if (!engine_) return;
  const EngineState& s = engine_->state();
  before_ = {s.game_mode, s.hi_score_a, s.hi_score_b};
}

void KeepingTap::after_event() {
  // A recording that stopped (a reset of the high scores, a full disk) no
  // longer replays to its end: nothing more of it is kept.
  if (!engine_ || !recorder_.recording()) return;
  const EngineState& now = engine_->state();
  const bool was_game = before_.mode == mode_game_a || before_.mode == mode_game_b;
  if (!was_game || now.game_mode != mode_game_over) return;
  const bool game_a = before_.mode == mode_game_a;
  const int hi_before = game_a ? before_.hi_a : before_.hi_b;
  const int hi_now = game_a ? now.hi_score_a : now.hi_score_b;
  const char game = game_a ? 'A' : 'B';
  const bool assisted = assisted_ && assisted_();
  // The engine has just stored the score if it beat the store's, which it
  // read again (another copy may have beaten it meanwhile). An assisted game
  // stores none: it is measured against the best assisted game kept.
  bool best = now.score > hi_before && hi_now == now.score;
  if (assisted) {
    const std::optional<KeptGame> kept = games_.best(game, true);
    best = now.score > (kept ? kept->score : 0);
  }
  try {
    games_.keep(source_, game, now.score, best, true, assisted);
  } catch (const std::exception& e) {
    // Called from the end of an engine handler: nothing may escape here.
    failure_ = e.what();
  }
}

void KeepingTap::end() {
  Engine* engine = std::exchange(engine_, nullptr);
  if (!engine || !recorder_.recording()) return;
  const EngineState& now = engine->state();
  if (now.game_mode != mode_game_a && now.game_mode != mode_game_b) return;
  const bool game_a = now.game_mode == mode_game_a;
  recorder_.stop("the program ended during this game");
  try {
    games_.keep(source_, game_a ? 'A' : 'B', now.score, false, false, assisted_ && assisted_());
  } catch (const std::exception& e) {
    failure_ = e.what();
  }
}

}  // namespace hero
