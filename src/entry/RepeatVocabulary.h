#pragma once

#include "platform/store/RecurrenceRule.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The words of one language's repeat phrases and the shapes the phrases take. Data only;
// RepeatPhrases.cpp turns the shapes into expressions.
//
// A shape is a regular expression in which these names stand for the language's words, each
// captured: {N} a count ("3", "two", "zweiten"), {UNIT} day/week/month/year, {DAY} one weekday,
// {DAYS} weekdays joined by commas or "and", {ADVERBS} the same of `dayAdverbs` alone, {ORD} a
// weekday's place in its month ("1st", "letzten"), {MD} a day of the month (digits). Without {UNIT}
// a shape repeats by its own frequency; `interval` and `days` fill in what the shape's words say
// without capturing.
struct RepeatVocabulary
{
    using Words = QList<std::pair<QString, int>>;
    using Frequency = store::RecurrenceRule::Frequency;

    struct Shape
    {
        QString pattern;
        Frequency frequency = Frequency::Daily;
        int interval = 1;
        // Weekdays, 1 = Sunday ... 7 = Saturday.
        QList<int> days = {};
    };

    Words weekdays;
    Words months;
    Words numbers;
    Words ordinals;
    // Values are Frequency numbers.
    Words units;
    QStringList conjunctions;
    // Weekday words that say "every" by themselves ("montags"); each is among `weekdays`.
    QStringList dayAdverbs;
    QList<Shape> shapes;
    // Ends, tried right after a phrase. An end date captures (?<d>) and either (?<m>) digits
    // or (?<mw>) a month word, and may capture (?<y>); a count captures {N}.
    QStringList untilPatterns;
    QStringList countPatterns;

    // "en", "de" or "fr"; English for any other.
    static const RepeatVocabulary& forLanguage(const QString& language);
};
