// Marks of the chosen t and of the process, drawn over a chart on a canvas of their own: moving
// t redraws the marks alone, never the chart under them, so that a slider
// step, a drag or an animation frame costs well under a frame.
// The chart library calls this after every render of a chart, so that its
// marks follow a resize or a restyle.
export const marksPlugin = { id: 'marks', afterRender: (chart) => drawMarks(chart) };

// Sets a chart's marks: each { key, points: [{x, y}], line: true|false,
// colour, width, dash, radius, fill (a colour: the polygon filled) }, in the
// chart's own units. Each view sets
// its own (`owner`): the chosen t's, the process's.
export function setMarks(chart, items, owner = 'chosen') {
  chart.$markSets = Object.assign(chart.$markSets || {}, { [owner]: items });
  chart.$marks = Object.values(chart.$markSets).flat();
  drawMarks(chart);
}

function markCanvas(chart) {
  if (!chart.$markCanvas) {
    const canvas = document.createElement('canvas');
    canvas.className = 'marks';
    canvas.setAttribute('aria-hidden', 'true');
    chart.canvas.parentNode.appendChild(canvas);
    chart.$markCanvas = canvas;
    canvas.width = chart.canvas.width;
    canvas.height = chart.canvas.height;
    canvas.style.width = chart.canvas.style.width;
    canvas.style.height = chart.canvas.style.height;
    canvas.getContext('2d');
  }
  return chart.$markCanvas;
}

function drawMarks(chart) {
  const items = chart.$marks;
  if (!items || !chart.chartArea)
    return;
  const canvas = markCanvas(chart);
  const ratio = chart.currentDevicePixelRatio || 1;
  if (canvas.width !== chart.canvas.width || canvas.height !== chart.canvas.height) {
    canvas.width = chart.canvas.width;
    canvas.height = chart.canvas.height;
    canvas.width = chart.canvas.width;
    canvas.height = chart.canvas.height;
    canvas.style.width = chart.canvas.style.width;
    canvas.style.height = chart.canvas.style.height;
    canvas.getContext('2d');
  }
  const context = canvas.getContext('2d');
  context.setTransform(ratio, 0, 0, ratio, 0, 0);
  context.clearRect(0, 0, canvas.width, canvas.height);
  const area = chart.chartArea;
  context.save();
  context.beginPath();
  context.rect(area.left, area.top, area.right - area.left, area.bottom - area.top);
  context.clip();
  const x = chart.scales.x, y = chart.scales.y;
  items.forEach((item) => {
    const pixels = item.points.map((q) => [x.getPixelForValue(q.x), y.getPixelForValue(q.y)]);
    if (item.fill && pixels.length > 2) {
      context.fillStyle = item.fill;
      context.beginPath();
      pixels.forEach(([px, py], k) => (k ? context.lineTo(px, py) : context.moveTo(px, py)));
      context.closePath();
      context.fill();
    }
    context.strokeStyle = context.fillStyle = item.colour;
    if (item.line && pixels.length > 1) {
      context.lineWidth = item.width || 2.5;
      context.setLineDash(item.dash || []);
      context.beginPath();
      pixels.forEach(([px, py], k) => (k ? context.lineTo(px, py) : context.moveTo(px, py)));
      context.stroke();
    }
    if (item.radius)
      pixels.forEach(([px, py]) => {
        context.beginPath();
        context.arc(px, py, item.radius, 0, 2 * Math.PI);
        context.fill();
      });
  });
  context.restore();
}

// The chart (its title in it), its marks and its legend as one picture, for
// saving; `items` are the legend's datasets (charting.js's legendItems).
export function chartPicture(chart, items) {
  const ratio = chart.currentDevicePixelRatio || 1;
  const canvas = document.createElement('canvas');
  const context = canvas.getContext('2d');
  const font = `${14 * ratio}px ${getComputedStyle(document.body).fontFamily}`;
  context.font = font;
  // The legend's entries in rows below the chart, each a swatch and its label.
  const swatch = 30 * ratio, gap = 16 * ratio, rowHeight = 22 * ratio, margin = 10 * ratio;
  const rows = [[]];
  let x = margin;
  items.forEach((d) => {
    const width = swatch + 6 * ratio + context.measureText(d.label).width;
    if (x + width > chart.canvas.width - margin && rows[rows.length - 1].length) {
      rows.push([]);
      x = margin;
    }
    rows[rows.length - 1].push({ d, x });
    x += width + gap;
  });
  canvas.width = chart.canvas.width;
  canvas.height = chart.canvas.height + (items.length ? rows.length * rowHeight + margin : 0);
  const style = getComputedStyle(document.body);
  context.fillStyle = style.backgroundColor;
  context.fillRect(0, 0, canvas.width, canvas.height);
  context.drawImage(chart.canvas, 0, 0);
  if (chart.$markCanvas)
    context.drawImage(chart.$markCanvas, 0, 0);
  context.font = font;
  context.textBaseline = 'middle';
  rows.forEach((row, k) => row.forEach(({ d, x: left }) => {
    const y = chart.canvas.height + k * rowHeight + rowHeight / 2;
    context.strokeStyle = d.borderColor;
    context.fillStyle = d.backgroundColor;
    if (d.fill) {
      context.fillRect(left, y - 5 * ratio, swatch, 10 * ratio);
    } else if (d.showLine === false) {
      context.beginPath();
      context.arc(left + swatch / 2, y, 5 * ratio, 0, 2 * Math.PI);
      context.fill();
    } else {
      context.lineWidth = Math.max(2, d.borderWidth) * ratio;
      context.setLineDash((d.borderDash || []).map((dash) => dash * ratio));
      context.beginPath();
      context.moveTo(left, y);
      context.lineTo(left + swatch, y);
      context.stroke();
      context.setLineDash([]);
    }
    context.fillStyle = style.color;
    context.fillText(d.label, left + swatch + 6 * ratio, y);
  }));
  return canvas.toDataURL('image/png');
}
