// Whether the byte scans of the splitter, the joiner, the records and the find filter use
// SSE2. A build with -DGRIMTALLY_SCALAR=ON takes the plain loops everywhere instead, so that
// the tests that compare the fast paths with the rules reach them.
#pragma once

#if defined(__SSE2__) && !defined(GRIMTALLY_SCALAR)
#define GRIMTALLY_SSE2 1
#include <emmintrin.h>
#else
#define GRIMTALLY_SSE2 0
#endif
