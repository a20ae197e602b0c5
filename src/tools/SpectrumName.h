#pragma once

#include <optional>
#include <string>
#include <string_view>

// A spectrum as spectroscopists name it: element symbol and ionisation stage ("Fe II").
struct SpectrumName {
    static constexpr int kHighestStage = 19;  // XIX; the valence names end there

    std::string symbol;  // as written
    int stage = 0;       // 1 = I (neutral) .. 19 = XIX; 0 when none is given

    // "Fe II"; just the symbol when there is no stage.
    std::string Text() const;

    // "Fe II", "Fe 2", "fe ii" or a bare "Fe" (stage 0). Empty when the text is not of that
    // form or the stage is not 1..19.
    static std::optional<SpectrumName> Parse(std::string_view text);

    // The spectrum a NIST file name starts with: "FeII_vacuum.ascii" gives Fe II, "ArI.ascii"
    // Ar I. Empty when the name does not start with a symbol followed by a Roman stage and then
    // '_', '.', '-' or the end.
    static std::optional<SpectrumName> FromFileName(std::string_view path);

    // A stage written as a Roman numeral (any case) or a number: 1..19; 0 for an empty text;
    // -1 for anything else, including stages beyond XIX.
    static int ParseStage(std::string_view text);
};
