#include "common/speicher.h"

#include <gtest/gtest.h>

#include <cstring>
#ifndef _WIN32
#include <sys/resource.h>
#endif

TEST(Speicher, TotalCountsEveryRequestIncludingFreedBlocks)
{
    int32_t before = speicher_total();
    void* a = speicher_alloc(100);
    void* b = speicher_calloc(28);
    speicher_free(a);
    void* c = speicher_alloc(0);
    EXPECT_EQ(speicher_total() - before, 128);
    speicher_free(b);
    speicher_free(c);
    EXPECT_EQ(speicher_total() - before, 128);
}

TEST(Speicher, CallocZeroesTheBlock)
{
    unsigned char* p = static_cast<unsigned char*>(speicher_calloc(4096));
    unsigned char zero[4096] = {};
    EXPECT_EQ(std::memcmp(p, zero, sizeof zero), 0);
    speicher_free(p);
}

TEST(Speicher, ZeroByteRequestGivesAFreeableBlock)
{
    void* p = speicher_alloc(0);
    ASSERT_NE(p, nullptr);
    speicher_free(p);
}

static void test_fatal(void)
{
    std::fputs("handler: out of memory\n", stderr);
    std::exit(2);
}

TEST(SpeicherDeathTest, ImpossibleRequestEndsWithOutOfMemoryAndCode2)
{
    EXPECT_EXIT(speicher_alloc(-5), testing::ExitedWithCode(2), "Error: out of memory");
}

TEST(SpeicherDeathTest, InstalledHandlerReportsTheFailure)
{
    EXPECT_EXIT(
        {
            speicher_set_fatal(test_fatal);
            speicher_alloc(-1);
        },
        testing::ExitedWithCode(2), "handler: out of memory");
}

#ifndef _WIN32
static void exhaust_heap()
{
    struct rlimit limit;
    limit.rlim_cur = limit.rlim_max = 256u << 20;
    setrlimit(RLIMIT_AS, &limit);
    for (;;)
        speicher_alloc(1 << 20);
}

TEST(SpeicherDeathTest, ExhaustedHeapEndsWithOneMessage)
{
#if defined(__SANITIZE_ADDRESS__)
    // The address sanitizer's own allocator cannot run under a small address
    // space limit (it reserves its shadow memory up front) and reports an
    // exhausted heap itself instead of returning null to the module.
    GTEST_SKIP() << "the address sanitizer handles an exhausted heap itself";
#endif
    EXPECT_EXIT(exhaust_heap(), testing::ExitedWithCode(2), "^Error: out of memory\n$");
}
#endif

TEST(SpeicherDeathTest, FreeOfNullIsAnInternalErrorNamingTheModule)
{
    EXPECT_DEATH(speicher_free(nullptr), "speicher.*line 45");
}
