#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <ostream>

#include "CliApp.h"

// Writes a JSON document as indented "key: value" text for people: arrays of plain values on one
// line, list items of plain fields as one "{key: value, ...}" line.
void printJsonAsText(std::ostream& out, const nlohmann::ordered_json& value);

// A command's result: as JSON with --json, else as text, by `text` when given and as
// printJsonAsText shows it otherwise.
void printDocument(const CliArgs& args, CliContext& context, const nlohmann::ordered_json& document,
                   const std::function<void(std::ostream&)>& text = {});
