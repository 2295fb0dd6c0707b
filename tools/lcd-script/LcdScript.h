#pragma once

// The script language of instruments-lcd (one bus operation per line), the
// --text way of writing, and the controller's state as one line of JSON. The
// tool and the browser playground share them, so both give the same module.
//
//   i HH        instruction byte          d HH        data byte
//   r           read a data byte          s           read the status byte
//   wait MS     let time pass             text "..."  data bytes (\xHH, \\, \")
//   # ...       a comment, outside quotes

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "instruments/CharacterLcd.h"

namespace lcd_script {

// A malformed script line; the message starts "script line N: ".
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Operation {
    enum class Kind { Instruction, Data, Read, Status, Wait, Text } kind;
    std::uint8_t value = 0;
    double ms = 0;
    std::string bytes;
};

// Every operation of the script, in order; throws ScriptError at the first bad line.
std::vector<Operation> ParseScript(std::string_view script);

// A count of milliseconds (0..1e9, decimals allowed), or nullopt.
std::optional<double> ParseMilliseconds(std::string_view text);

// What a read operation gave: its kind ('r' or 's') and the byte.
using ReadReport = std::function<void(char kind, std::uint8_t byte)>;

// Runs the operations on the module; each read is reported when asked.
void RunScript(instruments::CharacterLcd& lcd, const std::vector<Operation>& operations,
               const ReadReport& report = {});

// Begins the module and prints the text; a newline (or the two characters
// "\n") goes to the start of the next row.
void RunText(instruments::CharacterLcd& lcd, std::string_view text);

// The controller's state as one line of JSON (the fields of --dump).
std::string StateJson(const instruments::CharacterLcd& lcd);

}  // namespace lcd_script
