#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

// Writes a JSON document as indented "key: value" text for people: arrays of plain values on one
// line, list items of plain fields as one "{key: value, ...}" line.
void printJsonAsText(std::ostream& out, const nlohmann::ordered_json& value);
