// The other program of the save fault tests: loads a run file, gives it a new
// run name and new notes, saves every value as the window does and ends with
// the outcome.
//   run_file_saver PATH RUN_NAME NOTES
// Exit status: the SaveStatus (0 saved, 1 refused, 2 changed since the load,
// 3 failed), 4 when the load failed, 64 for wrong arguments.
#include <cstdio>

#include "base/RuntimeError.h"
#include "run_file/RunFile.h"

int main(int argc, char** argv) {
    if (argc != 4) return 64;
    Stuff::RunFile runFile;
    try {
        runFile.Load(argv[1]);
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "load: %d %s\n", error.Number(), error.Description().c_str());
        return 4;
    }
    Stuff::VehicleTexts texts = runFile.Contents().values;
    texts.runName = argv[2];
    texts.notes = argv[3];
    const Stuff::SaveOutcome outcome = runFile.Save(texts);
    if (outcome.number != 0)
        std::fprintf(stderr, "save: %d %s\n", outcome.number, outcome.description.c_str());
    return static_cast<int>(outcome.status);
}
