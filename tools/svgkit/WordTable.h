#pragma once

// One language's words for the pictures: each line "ENGLISH TRANSLATION", both
// written as in the recipes (an underscore stands for a blank), "#" starts a
// comment. A picture whose words have no line here cannot be drawn in that
// language: lookups of a missing phrase throw, naming it and the table.

#include <map>
#include <string>

#include "../common/Recipe.h"

namespace svgkit {

class WordTable {
public:
    explicit WordTable(const std::string& path);
    // The translation of an English phrase (underscores for blanks).
    const std::string& translate(const std::string& english) const;
    // The statement with its words in this language: the captions, titles,
    // texts and lines of buttons, labels, panels and description cards (tiles'
    // letters and medals' numbers are no words; neither is a text without a letter).
    recipe::Statement translated(const recipe::Statement& st) const;
    // Every phrase drawn by an SVG's <text> elements (of a whole picture or a
    // fragment), written in this language.
    std::string translatedSvg(const std::string& svg) const;

private:
    std::string path_;
    std::map<std::string, std::string> words_;
};

// Recipe text as SVG text: blanks for underscores, XML's reserved characters escaped.
std::string asSvgText(const std::string& recipeText);

// Whether a recipe statement's picture carries words (see WordTable::translated).
bool carriesWords(const recipe::Statement& st);

}  // namespace svgkit
