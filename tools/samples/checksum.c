#include <stddef.h>
#include <stdint.h>

/* The Fletcher-16 checksum of a block of bytes:
   two running sums, each kept below 255. */
uint16_t fletcher16(const uint8_t *data, size_t count)
{
	uint16_t low = 0, high = 0;

	for (size_t i = 0; i < count; ++i) {
		low = (low + data[i]) % 255;
		high = (high + low) % 255; // the sum of the sums
	}
	return (uint16_t)(high << 8 | low);
}

static const char *const kExample = "/* not a comment */";
