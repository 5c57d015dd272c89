// What the screens of whole sessions cost on the wire: the renderer's bytes
// beside ncurses fed the same screens and beside the lower bound, on narrow
// and wide terminals, per operation; then the CPU time of the renderer and of
// ncurses over the same frames (compare the two only within one run).
//
//   ./build/bench/frame_cost_bench
//
// A session, for each of 30 fixed deals: three moves on the menu, the rules
// and back, three more moves, then a whole game played by a scripted player
// to its banner, and the key that ends it.

#include <benchmark/benchmark.h>
#include <clocale>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "bench_consoles.h"
#include "console/port/exit_request.h"
#include "console/port/key_codes.h"
#include "console/terminal/frame_renderer.h"
#include "frontend/menu_loop.h"
#include "lower_bound.h"
#include "ncurses_screen.h"

namespace sol::bench {
namespace {

constexpr std::uint32_t kFirstSeed = 1207;
constexpr int kSessions = 30;
constexpr GlyphWidth kWidths[] = {GlyphWidth::Narrow, GlyphWidth::Wide};

using Rows = LowerBound::Rows;

// The keys of one session: the menu part is fixed; in the game the player
// mostly lays and moves, now and then draws or gives up a draw, so a game
// runs its whole course.
class SessionScript {
  public:
    explicit SessionScript(std::uint32_t seed) : generator_(seed) {
        arrow(key::kDown), arrow(key::kUp), arrow(key::kDown);
        queue_.push_back({key::kEnter, Op::Rules, true});
        queue_.push_back({'x', Op::Menu, true});
        arrow(key::kDown), arrow(key::kDown), arrow(key::kDown);
        queue_.push_back({key::kEnter, Op::GameStart, true});
    }

    ScriptedKey next() {
        if (queue_.empty()) {
            const unsigned roll = generator_() % 100;
            if (roll < 40) {
                queue_.push_back({key::kEnter, Op::Lay, true});
            } else if (roll < 75) {
                arrow(key::kRight);
            } else if (roll < 85) {
                arrow(key::kLeft);
            } else if (roll < 97) {
                queue_.push_back({key::kPrefix, Op::Draw, true});
                queue_.push_back({key::kUp, Op::Draw, false});
                queue_.push_back({key::kEnter, Op::Draw, false});
            } else {
                queue_.push_back({key::kPrefix, Op::Cancelled, true});
                queue_.push_back({key::kUp, Op::Cancelled, false});
                queue_.push_back({'x', Op::Cancelled, false});
            }
        }
        const ScriptedKey key = queue_.front();
        queue_.erase(queue_.begin());
        return key;
    }

  private:
    void arrow(int code) {
        queue_.push_back({key::kPrefix, Op::MarkerMove, true});
        queue_.push_back({code, Op::MarkerMove, false});
    }

    std::mt19937 generator_;
    std::vector<ScriptedKey> queue_;
};

enum Sender { kRenderer, kNcurses, kLeaveOk, kBound, kSenders };

// The bytes of one keystroke's frames (or of the frames of a draw, whose
// keystrokes belong together), for each sender and glyph width.
struct Record {
    Op op;
    std::size_t bytes[kSenders][2] = {};
    std::size_t last[kSenders][2] = {};  // of its last frame
    int frames = 0;
};

// Every sender for one glyph width, fed the same pictures.
struct Senders {
    explicit Senders(GlyphWidth glyphWidth)
        : renderer(glyphWidth),
          layout(glyphWidth),
          ncurses(glyphWidth, false),
          leaveOk(glyphWidth, true) {}

    void frame(const ScreenBuffer& picture, RowSet changed, std::size_t (&bytes)[kSenders]) {
        std::string out;
        renderer.present(picture, changed, true, out);
        bytes[kRenderer] = out.size();
        layout.changedRows(picture, changed);
        layout.commit();
        for (int y = 0; y < ScreenBuffer::kRows; ++y) {
            rows[y] = layout.target(y);
        }
        bytes[kNcurses] = ncurses.frame(rows, picture.cursorX(), picture.cursorY());
        bytes[kLeaveOk] = leaveOk.frame(rows, picture.cursorX(), picture.cursorY());
        bytes[kBound] = bound.frame(rows);
    }

    FrameRenderer renderer;
    FrameDiff layout;  // lays out the picture as the terminal shows it
    NcursesScreen ncurses;
    NcursesScreen leaveOk;
    LowerBound bound;
    Rows rows{};
};

std::vector<Record> playSession(std::uint32_t seed, std::vector<ScreenBuffer>* pictures) {
    std::vector<Record> records{Record{Op::Start}};
    SessionScript script(seed);
    Senders narrow(GlyphWidth::Narrow);
    Senders wide(GlyphWidth::Wide);
    auto sink = [&](const ScreenBuffer& picture, ScreenBuffer::Changes changes) {
        Record& record = records.back();
        if (record.op == Op::Lay && !changes.cleared) {
            record.op = Op::Refused;
        }
        std::size_t bytes[2][kSenders];
        narrow.frame(picture, changes.rows, bytes[0]);
        wide.frame(picture, changes.rows, bytes[1]);
        for (int s = 0; s < kSenders; ++s) {
            for (int w = 0; w < 2; ++w) {
                record.bytes[s][w] += bytes[w][s];
                record.last[s][w] = bytes[w][s];
            }
        }
        ++record.frames;
        if (pictures != nullptr) {
            pictures->push_back(picture);
        }
    };
    auto keys = [&] {
        const ScriptedKey key = script.next();
        if (key.first) {
            records.push_back(Record{key.op});
        }
        return key;
    };
    RecordingConsole console(sink, keys);
    try {
        mainMenuLoop(console, [seed] { return seed; });
    } catch (const ExitRequest&) {
    }
    records.pop_back();  // the key that ends the banner shows nothing
    // The banner is the last frame, shown by the key that decided the game.
    Record& decider = records.back();
    Record banner{Op::Banner};
    for (int s = 0; s < kSenders; ++s) {
        for (int w = 0; w < 2; ++w) {
            banner.bytes[s][w] = decider.last[s][w];
            decider.bytes[s][w] -= decider.last[s][w];
        }
    }
    banner.frames = 1;
    if (decider.frames == 1) {
        records.pop_back();  // a lay that only showed the banner
    }
    records.push_back(banner);
    return records;
}

struct Totals {
    double bytes[kSenders][2] = {};
    int count = 0;
    void add(const Record& record) {
        for (int s = 0; s < kSenders; ++s) {
            for (int w = 0; w < 2; ++w) {
                bytes[s][w] += static_cast<double>(record.bytes[s][w]);
            }
        }
    }
};

std::vector<ScreenBuffer> gPictures;  // the frames of a few sessions, for the timings

void printTable() {
    std::map<Op, Totals> perOp;
    Totals game;
    Totals session;
    double worstGame[2] = {};  // the highest renderer / ncurses ratio of one game
    double worstBound[2] = {};
    int keys = 0;
    for (int i = 0; i < kSessions; ++i) {
        const std::vector<Record> records =
            playSession(kFirstSeed + static_cast<std::uint32_t>(i), i < 3 ? &gPictures : nullptr);
        Totals thisGame;
        bool inGame = false;
        for (const Record& record : records) {
            Totals& op = perOp[record.op];
            op.add(record);
            ++op.count;
            inGame = inGame || record.op == Op::GameStart;
            if (inGame) {
                thisGame.add(record);
            }
            session.add(record);
            keys += record.frames;
        }
        for (int w = 0; w < 2; ++w) {
            worstGame[w] =
                std::max(worstGame[w], thisGame.bytes[kRenderer][w] / thisGame.bytes[kNcurses][w]);
            worstBound[w] =
                std::max(worstBound[w], thisGame.bytes[kRenderer][w] / thisGame.bytes[kBound][w]);
        }
        for (int s = 0; s < kSenders; ++s) {
            for (int w = 0; w < 2; ++w) {
                game.bytes[s][w] += thisGame.bytes[s][w];
            }
        }
    }
    game.count = session.count = kSessions;
    std::printf("%d sessions, %d key codes; mean bytes per operation\n\n", kSessions,
                keys + kSessions);
    std::printf(
        "| Operation | count | glyphs | renderer | ncurses | ncurses, leaveok | bound | renderer / "
        "ncurses | renderer / bound |\n");
    std::printf("|---|---:|---|---:|---:|---:|---:|---:|---:|\n");
    auto row = [](const char* name, const Totals& t) {
        const double n = t.count;
        for (int w = 0; w < 2; ++w) {
            std::printf("| %s | %d | %s | %.1f | %.1f | %.1f | %.1f | %.2f | %.2f |\n",
                        w == 0 ? name : "", t.count, w == 0 ? "narrow" : "wide",
                        t.bytes[kRenderer][w] / n, t.bytes[kNcurses][w] / n,
                        t.bytes[kLeaveOk][w] / n, t.bytes[kBound][w] / n,
                        t.bytes[kRenderer][w] / t.bytes[kNcurses][w],
                        t.bytes[kRenderer][w] / t.bytes[kBound][w]);
        }
    };
    row("marker move", perOp[Op::MarkerMove]);
    row("lay with the reply", perOp[Op::Lay]);
    row("refused lay", perOp[Op::Refused]);
    row("draw with the reply", perOp[Op::Draw]);
    row("rules", perOp[Op::Rules]);
    row("back to the menu", perOp[Op::Menu]);
    row("game start (deal)", perOp[Op::GameStart]);
    row("banner", perOp[Op::Banner]);
    row("whole game", game);
    row("whole session", session);
    std::printf(
        "\nWorst single game, renderer / ncurses: narrow %.2f, wide %.2f; renderer / bound: narrow "
        "%.2f, wide %.2f\n\n",
        worstGame[0], worstGame[1], worstBound[0], worstBound[1]);
}

void BM_Renderer(benchmark::State& state) {
    for (auto _ : state) {
        FrameRenderer renderer(GlyphWidth::Narrow);
        std::string out;
        for (const ScreenBuffer& picture : gPictures) {
            renderer.present(picture, kAllRows, true, out);
            out.clear();
        }
    }
    state.counters["frames"] = static_cast<double>(gPictures.size());
}

void BM_Ncurses(benchmark::State& state) {
    FrameDiff layout(GlyphWidth::Narrow);
    std::vector<Rows> frames;
    for (const ScreenBuffer& picture : gPictures) {
        layout.changedRows(picture, kAllRows);
        layout.commit();
        Rows rows;
        for (int y = 0; y < ScreenBuffer::kRows; ++y) {
            rows[y] = layout.target(y);
        }
        frames.push_back(rows);
    }
    for (auto _ : state) {
        NcursesScreen screen(GlyphWidth::Narrow, false);
        for (const Rows& rows : frames) {
            benchmark::DoNotOptimize(screen.frame(rows, 0, 0));
        }
    }
    state.counters["frames"] = static_cast<double>(frames.size());
}

BENCHMARK(BM_Renderer)->Name("three_sessions/renderer");
BENCHMARK(BM_Ncurses)->Name("three_sessions/ncurses");

}  // namespace
}  // namespace sol::bench

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C.UTF-8");  // ncurses writes UTF-8 only in a UTF-8 locale
    sol::bench::printTable();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
