// The JSON object scripts/bench --json writes.
#include <gtest/gtest.h>
#include <windows.h>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "Json.h"

TEST(Json, Numbers) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},          {-0.0, "0"},          {2, "2"},
        {2.25, "2.25"},    {-1.5, "-1.5"},       {1.0 / 3, "0.333333333"},
        {378.2, "378.2"},  {20812.7, "20812.7"}, {769024, "769024"},
        {1e-7, "1e-07"},   {123456789012.0, "1.23456789e+11"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JsonNumber(c.value), c.text) << c.value;
}

TEST(Json, ObjectKeepsTheOrderOfSettingAndOneValueAKey) {
    const struct {
        const char* name;
        void (*fill)(JsonFigures&);
        const char* text;
    } cases[] = {
        {"nothing set", [](JsonFigures&) {}, "{}\n"},
        {"one key", [](JsonFigures& j) { j.Set("startup_ratio", 2.23); }, "{\n  \"startup_ratio\": 2.23\n}\n"},
        {"order of setting, not of names",
         [](JsonFigures& j) {
             j.Set("zeta", 1);
             j.Set("alpha", 2);
         },
         "{\n  \"zeta\": 1,\n  \"alpha\": 2\n}\n"},
        {"a key set again keeps its place",
         [](JsonFigures& j) {
             j.Set("a", 1);
             j.Set("b", 2);
             j.Set("a", 3);
         },
         "{\n  \"a\": 3,\n  \"b\": 2\n}\n"},
        {"no number, no key",
         [](JsonFigures& j) {
             j.Set("nan", std::nan(""));
             j.Set("inf", std::numeric_limits<double>::infinity());
             j.Set("kept", 4);
         },
         "{\n  \"kept\": 4\n}\n"},
        {"a figure that became no number goes",
         [](JsonFigures& j) {
             j.Set("ratio", 1);
             j.Set("ratio", std::nan(""));
         },
         "{}\n"},
        {"quotes and backslashes in keys are escaped",
         [](JsonFigures& j) { j.Set("a\"b\\c\n", 1); }, "{\n  \"a\\\"b\\\\c\\u000a\": 1\n}\n"},
    };
    for (const auto& c : cases) {
        JsonFigures json;
        c.fill(json);
        EXPECT_EQ(json.Text(), c.text) << c.name;
    }
}

TEST(Json, HasTellsWhichKeysAreThere) {
    JsonFigures json;
    json.Set("exe_kib", 769);
    json.Set("ui_p99_ratio", std::nan(""));
    EXPECT_TRUE(json.Has("exe_kib"));
    EXPECT_FALSE(json.Has("ui_p99_ratio"));
    EXPECT_FALSE(json.Has("startup_ratio"));
}

TEST(Json, WrittenFileHoldsTheText) {
    JsonFigures json;
    json.Set("cancel_entries_ms", 3.43);
    char folder[MAX_PATH], path[MAX_PATH];
    ASSERT_NE(::GetTempPathA(MAX_PATH, folder), 0u);
    ASSERT_NE(::GetTempFileNameA(folder, "jsn", 0, path), 0u);
    ASSERT_TRUE(json.WriteFile(path));
    std::FILE* file = std::fopen(path, "rb");
    ASSERT_NE(file, nullptr);
    char text[128] = {};
    const std::size_t read = std::fread(text, 1, sizeof(text) - 1, file);
    std::fclose(file);
    std::remove(path);
    EXPECT_EQ(std::string(text, read), json.Text());
    EXPECT_FALSE(json.WriteFile("Z:\\no such folder here\\figures.json"));
}
