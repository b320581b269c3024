// How well and how fast the two recognizers read real gestures: the public
// gesture logs (../shared/gestures, read at run time) with the usual
// user-dependent protocol. For each subject and speed and each of several
// random draws, k samples of every type become templates (one candidate
// each, 16 x k candidates) and every other sample is recognised against
// them; a sample counts as read when the winner is of its type. Unknown
// types: in the same draws, a few types are left out of the templates and
// every sample of theirs that is accepted at all counts as a false accept.
// Time is the mean wall time of a recognition (preparing the gesture and
// choosing among the candidates) over the accuracy run, apart from the first
// recognition of each draw: that one also prepares every candidate for the
// precise recognizer (which the program does once per symbol) and is shown
// on its own.
//
//   recognizer_evaluation [--data FOLDER] [--draws N] [--unknown N] [--seed N] [--errors]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "gesture/precise_recognizer.h"
#include "gesture/symbol_recognizer.h"
#include "tools/recognizer_evaluation/gesture_logs.h"

namespace {
constexpr int32_t kBox = 100;
constexpr int32_t kDefaultTolerance = 30;

struct Options {
  std::string data = "../shared/gestures";
  int draws = 20;
  size_t unknownTypes = 4;
  unsigned seed = 1;
  bool errors = false;
};

// One template sample, standing in for an action with a one-shape symbol.
struct Template {
  Symbol symbolValue;
  size_t type = 0;
  const Symbol* symbol() const { return &symbolValue; }
};

class Recognizer {
 public:
  virtual ~Recognizer() = default;
  virtual const char* name() const = 0;
  virtual const Template* recognize(const Gesture& gesture, const std::vector<Template*>& candidates) = 0;
};

class Standard : public Recognizer {
 public:
  const char* name() const override { return "symbol recognizer (tolerance 30)"; }
  const Template* recognize(const Gesture& gesture, const std::vector<Template*>& candidates) override {
    SymbolRecognizer recognizer(gesture, kBox, kDefaultTolerance);
    return recognizer.recognize(candidates);
  }
};

class Precise : public Recognizer {
 public:
  const char* name() const override { return "precise recognizer"; }
  const Template* recognize(const Gesture& gesture, const std::vector<Template*>& candidates) override {
    PreciseRecognizer recognizer(gesture, cache_);
    return recognizer.recognize(candidates);
  }

 private:
  PreciseTemplateCache cache_;
};

// The samples of one subject and speed, types numbered in name order.
struct SampleSet {
  std::string name;
  std::vector<std::string> typeNames;
  std::vector<std::vector<Stroke>> samples;  // by type
};

std::vector<SampleSet> Numbered(const std::vector<GestureLogSet>& logs) {
  std::vector<SampleSet> sets;
  for (const GestureLogSet& log : logs) {
    SampleSet set;
    set.name = log.name;
    for (const auto& [type, samples] : log.samplesByType) {
      set.typeNames.push_back(type);
      set.samples.push_back(samples);
    }
    sets.push_back(std::move(set));
  }
  return sets;
}

// A shuffle of 0..n-1 that is the same on every platform.
std::vector<size_t> Shuffled(size_t n, std::mt19937_64& random) {
  std::vector<size_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = i;
  for (size_t i = n; i > 1; --i) std::swap(order[i - 1], order[random() % i]);
  return order;
}

// One draw of one sample set: which samples of each type are templates and
// which types are unknown.
struct Draw {
  std::vector<std::vector<size_t>> order;  // by type: the first k are templates
  std::vector<char> unknown;               // by type
};

Draw MakeDraw(const SampleSet& set, size_t unknownTypes, std::mt19937_64& random) {
  Draw draw;
  for (const std::vector<Stroke>& samples : set.samples) draw.order.push_back(Shuffled(samples.size(), random));
  draw.unknown.assign(set.samples.size(), 0);
  const std::vector<size_t> types = Shuffled(set.samples.size(), random);
  for (size_t i = 0; i < unknownTypes && i < types.size(); ++i) draw.unknown[types[i]] = 1;
  return draw;
}

std::vector<std::unique_ptr<Template>> Templates(const SampleSet& set, const Draw& draw, size_t k, bool knownOnly) {
  std::vector<std::unique_ptr<Template>> templates;
  for (size_t type = 0; type < set.samples.size(); ++type) {
    if (knownOnly && draw.unknown[type]) continue;
    for (size_t i = 0; i < k && i < draw.order[type].size(); ++i) {
      auto t = std::make_unique<Template>();
      t->type = type;
      t->symbolValue.addShape().addStroke(set.samples[type][draw.order[type][i]]);
      templates.push_back(std::move(t));
    }
  }
  return templates;
}

std::vector<Template*> Pointers(const std::vector<std::unique_ptr<Template>>& templates) {
  std::vector<Template*> pointers;
  for (const auto& t : templates) pointers.push_back(t.get());
  return pointers;
}

struct Tally {
  size_t tested = 0, correct = 0, unknownTested = 0, unknownAccepted = 0;
  double seconds = 0, firstSeconds = 0;  // the first recognitions of the draws apart
  size_t timed = 0, firsts = 0;
  std::map<std::string, size_t> errors;  // "drawn -> read" counts
};

void Evaluate(Recognizer& recognizer, const std::vector<SampleSet>& sets, size_t k, const Options& options,
              Tally& tally) {
  for (int d = 0; d < options.draws; ++d) {
    for (size_t s = 0; s < sets.size(); ++s) {
      const SampleSet& set = sets[s];
      // The same draws for every recognizer.
      std::seed_seq seed{options.seed, static_cast<unsigned>(d), static_cast<unsigned>(s), static_cast<unsigned>(k)};
      std::mt19937_64 random(seed);
      const Draw draw = MakeDraw(set, options.unknownTypes, random);

      const auto all = Templates(set, draw, k, false);
      const std::vector<Template*> candidates = Pointers(all);
      bool first = true;
      for (size_t type = 0; type < set.samples.size(); ++type) {
        for (size_t i = k; i < draw.order[type].size(); ++i) {
          const Gesture gesture{set.samples[type][draw.order[type][i]]};
          const auto start = std::chrono::steady_clock::now();
          const Template* winner = recognizer.recognize(gesture, candidates);
          const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
          if (first) {
            tally.firstSeconds += seconds;
            ++tally.firsts;
          } else {
            tally.seconds += seconds;
            ++tally.timed;
          }
          first = false;
          ++tally.tested;
          if (winner && winner->type == type) ++tally.correct;
          else ++tally.errors[set.typeNames[type] + " -> " + (winner ? set.typeNames[winner->type] : "(none)")];
        }
      }

      const auto known = Templates(set, draw, k, true);
      const std::vector<Template*> knownCandidates = Pointers(known);
      for (size_t type = 0; type < set.samples.size(); ++type) {
        if (!draw.unknown[type]) continue;
        for (const Stroke& sample : set.samples[type]) {
          ++tally.unknownTested;
          if (recognizer.recognize(Gesture{sample}, knownCandidates)) ++tally.unknownAccepted;
        }
      }
    }
  }
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--data" && hasValue) options.data = argv[++i];
    else if (arg == "--draws" && hasValue) options.draws = std::atoi(argv[++i]);
    else if (arg == "--unknown" && hasValue) options.unknownTypes = static_cast<size_t>(std::atoi(argv[++i]));
    else if (arg == "--seed" && hasValue) options.seed = static_cast<unsigned>(std::atoi(argv[++i]));
    else if (arg == "--errors") options.errors = true;
    else return false;
  }
  return options.draws > 0;
}
}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: %s [--data FOLDER] [--draws N] [--unknown N] [--seed N] [--errors]\n", argv[0]);
    return 2;
  }
  std::vector<GestureLogSet> logs;
  if (!ReadGestureLogs(options.data, logs)) {
    std::fprintf(stderr, "no gesture logs under %s\n", options.data.c_str());
    return 1;
  }
  const std::vector<SampleSet> sets = Numbered(logs);
  size_t samples = 0;
  for (const SampleSet& set : sets)
    for (const auto& type : set.samples) samples += type.size();
  std::printf("%zu samples in %zu subject/speed sets, %d draws, %zu unknown types per draw\n\n", samples,
              sets.size(), options.draws, options.unknownTypes);
  std::printf("| recognizer | k | candidates | read correctly | unknown types accepted | time per recognition |"
              " first of a draw |\n");
  std::printf("|---|---|---|---|---|---|---|\n");

  Standard standard;
  Precise precise;
  Recognizer* const recognizers[] = {&standard, &precise};
  for (Recognizer* recognizer : recognizers) {
    for (size_t k : {1, 3, 9}) {
      Tally tally;
      Evaluate(*recognizer, sets, k, options, tally);
      const size_t types = sets.empty() ? 0 : sets.front().samples.size();
      std::printf("| %s | %zu | %zu | %.2f%% (%zu/%zu) | %.2f%% (%zu/%zu) | %.1f us | %.1f us |\n",
                  recognizer->name(), k, types * k, 100.0 * tally.correct / tally.tested, tally.correct,
                  tally.tested, 100.0 * tally.unknownAccepted / tally.unknownTested, tally.unknownAccepted,
                  tally.unknownTested, 1e6 * tally.seconds / tally.timed, 1e6 * tally.firstSeconds / tally.firsts);
      if (options.errors)
        for (const auto& [pair, count] : tally.errors) std::printf("    %5zu  %s\n", count, pair.c_str());
    }
  }
  return 0;
}
