#pragma once

#include <memory>

namespace lexo {

struct AppContext;
class Clock;
class EditorWindow;
class EvaluationSession;
class EvaluationWindow;
class GeneralSettingsWindow;
class MainWindow;
class Prompter;
class QtSpeaker;
class Random;
class RecordingSession;
class SoundPlayer;
class StatisticsSink;
class StatisticsStore;
class Timers;
class TypedExamWindow;

// What the program has built before the subsystems are joined to it. Each subsystem's
// windows are built and wired by a compose… function of its own (app/*_composition.cpp),
// so adding a subsystem touches application.cpp in one line.
struct Composition {
    AppContext& context;
    MainWindow& mainWindow;
    GeneralSettingsWindow& settingsWindow;
    Prompter& prompter;
    Timers& timers;
    Random& random;
    Clock& clock;
    QtSpeaker& speaker;
    SoundPlayer& soundPlayer;
    RecordingSession& recording;
    EditorWindow& editor;
    StatisticsStore& statistics;
    StatisticsSink& statisticsSink;
    EvaluationSession& evaluation;
    EvaluationWindow& evaluationWindow;
    TypedExamWindow& typedExam;
};

// Owns a subsystem's windows for the life of the program.
struct ComposedPart {
    virtual ~ComposedPart() = default;
};

// One per subsystem, each in its own app/<subsystem>_composition.cpp.
std::unique_ptr<ComposedPart> composeTranslator(Composition& c);
std::unique_ptr<ComposedPart> composeLearning(Composition& c);
std::unique_ptr<ComposedPart> composeHelp(Composition& c);
std::unique_ptr<ComposedPart> composeExamTwo(Composition& c);
std::unique_ptr<ComposedPart> composePrinting(Composition& c);

}  // namespace lexo
