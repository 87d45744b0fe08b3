// Date-time values: days since 1899-12-30 with the time of day as the fraction.
#pragma once

// Local date-time; 0 means "no date".
using TDateTime = double;
