"""Adds a stereo audio file to a saved Ardour 7 session the way Ardour records
an embedded file: one Source per channel, one Region on the track's playlist
from the session's start, and a session range of exactly the file's length.

usage: ardour_add_audio.py SESSION.ardour AUDIO.wav FRAMES RATE
"""
import os
import sys
import xml.etree.ElementTree as ET

SUPERCLOCK_PER_SECOND = 282240000  # Ardour 7's audio-time unit


def main():
    session_path, audio_path, frames, rate = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    tree = ET.parse(session_path)
    root = tree.getroot()
    # Positions are audio time "a<superclock>"; a length is "<distance>@<position>".
    end = "a%d" % (frames * SUPERCLOCK_PER_SECOND // rate)
    length = end + "@a0"
    next_id = [int(root.get("id-counter", "100000")) + 10]

    def new_id():
        next_id[0] += 1
        return str(next_id[0])

    audio_path = os.path.abspath(audio_path)
    sources = root.find("Sources")
    source_ids = []
    for channel in (0, 1):
        source_ids.append(new_id())
        ET.SubElement(sources, "Source", {
            "name": audio_path, "type": "audio", "flags": "", "id": source_ids[-1],
            "captured-for": "", "origin": "", "channel": str(channel), "gain": "1"})

    playlist = root.find("Playlists/Playlist")
    region = {"name": "input", "start": "a0", "length": length, "position": "a0",
              "id": new_id(), "type": "audio", "channels": "2",
              # No fades: the region is to play the file unchanged.
              "fade-in-active": "0", "fade-out-active": "0", "envelope-active": "0"}
    for channel, source in enumerate(source_ids):
        region["source-%d" % channel] = source
        region["master-source-%d" % channel] = source
    ET.SubElement(playlist, "Region", region)

    locations = root.find("Locations")
    ET.SubElement(locations, "Location", {
        "id": new_id(), "name": "session", "start": "a0", "end": end,
        "flags": "IsSessionRange", "locked": "0", "timestamp": "0", "cue": "0"})
    root.set("id-counter", str(next_id[0] + 1))
    tree.write(session_path, encoding="UTF-8", xml_declaration=True)


main()
