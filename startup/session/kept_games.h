// Every game kept: the window's session is always written down (as
// --record writes it), and when a game ends its recording so far is kept in
// the player's games folder: as one of the ten last games, and as the best
// game of A or B when it set a new high score. Each kept file is a whole
// recording that hero-trace --check can verify; a kept file is written
// beside its place and moved there only when whole, so a kill at any moment
// leaves the old file or the new one.
//
// The folder (the player's data folder):
//   best-game-a.trace, best-game-b.trace   the games that set the high scores
//   best-game-a-assist.trace, ...-b-...    the best games played below full speed
//   past-games/                            the ten last games, oldest removed first
//   unfinished-game.trace                  the game the program ended in, to go on with
//   sessions/                              the sessions being written now
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_tap.h"

namespace hero {

class SessionRecorder;

inline constexpr int kPastGamesKept = 10;

// What a kept file's heading says of its game.
struct KeptGame {
  std::filesystem::path file;
  char game = 0;  // 'A' or 'B'
  int score = 0;
  bool assisted = false;  // played below full speed
};

class KeptGames {
 public:
  explicit KeptGames(std::filesystem::path folder);

  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path best_file(char game, bool assisted = false) const;

  // A new file in sessions/ for this run's session, made exclusively; the
  // path it has in `path`. Nothing and the reason in `error` when it cannot
  // be made.
  std::unique_ptr<std::ostream> open_session(std::filesystem::path& path, std::string& error);

  std::filesystem::path unfinished_file() const;

  // A game of the session in `source` has ended at `score` (at its game
  // over when `finished`, else where the program ended): the session so
  // far becomes a past game, and the best game of its kind when `best`.
  // A game not finished is also the game left unfinished, to go on with.
  // Throws std::runtime_error naming the file that could not be written.
  // An `assisted` game (played below full speed) is kept apart: named so
  // among the past games, and as the best assisted game of its kind
  // (best-game-a-assist.trace) when `best`.
  void keep(const std::filesystem::path& source, char game, int score, bool best, bool finished,
            bool assisted = false);

  // The high scores were reset: the best games become past games, so that
  // none claims a score the store no longer holds and none is lost.
  void retire_best();

  // The best game of A or B, from its file's heading; none without a file.
  std::optional<KeptGame> best(char game, bool assisted = false) const;
  // The game left unfinished, from its file's heading.
  std::optional<KeptGame> unfinished() const;
  // The game left unfinished goes on in a session of its own: its file goes
  // (it is among the past games too).
  void drop_unfinished();
  // The past games, oldest first.
  std::vector<std::filesystem::path> past_games() const;

  // Sessions left in sessions/ by a copy of the program that never reached
  // its end (killed, or the machine went down): one that holds a game
  // becomes an unfinished past game, and the game left unfinished when it
  // ends in a game under way; every one is removed. Sessions of copies
  // still running are left alone.
  void gather_left_sessions();

 private:
  void write_whole(const std::filesystem::path& file, const std::string& content) const;
  void prune_past_games() const;
  std::filesystem::path past_game_name(const std::string& stem) const;

  std::filesystem::path folder_;
};

// The window's engine tap while games are kept: the session's recorder with
// a look at the handheld after every event, which keeps each game as it ends.
class KeepingTap final : public EngineTap {
 public:
  // `assisted` says whether the game under way was played below full speed:
  // such games are kept apart (best-game-a-assist.trace).
  KeepingTap(SessionRecorder& recorder, KeptGames& games, std::filesystem::path source,
             std::function<bool()> assisted = nullptr);

  EngineServices wire(const EngineServices& window_services) override;
  void timer_expiring(TimerId id, SteadyTime due) override;
  void timer_expired(TimerId id) override;
  bool control_arriving(Control control, bool down) override;
  void control_done(Control control, bool down) override;

  // The handheld is switched on (the recorder's start).
  void start(Engine& engine);
  // The program ends: a game under way is kept as an unfinished past game;
  // nothing is kept after.
  void end();
  // What went wrong keeping a game, if anything (the game goes on).
  const std::string& failure() const { return failure_; }

 private:
  void before_event();
  void after_event();

  SessionRecorder& recorder_;
  KeptGames& games_;
  std::filesystem::path source_;
  std::function<bool()> assisted_;
  Engine* engine_ = nullptr;
  // The handheld before the event under way: enough to see a game end.
  struct Before {
    int mode = -1, hi_a = 0, hi_b = 0;
  };
  Before before_;
  std::string failure_;
};

}  // namespace hero
