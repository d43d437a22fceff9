// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point of a room linked alone (cmake/Rooms.cmake): the link
// itself is the check, and nothing runs it.
int main()
{
    return 0;
}
